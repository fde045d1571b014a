#include "mapping/media_mapping.h"

#include "logging/logging.h"
#include "mapping/drive_connection.h"
#include "mapping/map_functions.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "text/text_compare.h"
#include "text/text_format.h"
#include "ui/prompt.h"

namespace {

enum AutoMappingMode { MapFreeLetter = 1, MapSpecificLetter = 2, MapSeveralPaths = 3 };

bool AskContinue(const std::string& text)
{
    PromptRequest request;
    request.owner = ::GetForegroundWindow();
    request.text = text;
    request.caption = CommonText(IDS_CAPTION_AUTOMAPPING);
    request.style = MB_YESNO | MB_ICONQUESTION | MB_SETFOREGROUND;
    return AskPrompt(request) == IDYES;
}

bool Map(const std::string& path, std::string& letter, DriveLetterUse& use)
{
    return MapFunctions::QuickMap(path, letter, use, false, true);
}

// The bare letter ("F") that is stored in an item's "DriveLetter".
std::string BareLetter(const std::string& letter) { return letter.substr(0, 1); }

} // namespace

MediaMapping::MediaMapping(CacheItem* item, std::string ownDiscPath) : item_(item), ownDisc_(std::move(ownDiscPath)) {}

bool MediaMapping::AutoMediaMapping()
{
    if (ownDisc_.empty() && item_->AutoMapping != MapSeveralPaths)
        return true;   // nothing of its own to map
    switch (item_->AutoMapping) {
    case MapFreeLetter: return AutoMapFree();
    case MapSpecificLetter: return AutoMapSpecific();
    case MapSeveralPaths: return AutoMapMulti();
    default: return true;
    }
}

std::string MediaMapping::OwnDiscLocalName() const
{
    if (ownDisc_.empty())
        return {};
    bool served = false;
    switch (item_->AutoMapping) {
    case MapFreeLetter:
    case MapSpecificLetter: served = completed_; break;
    case MapSeveralPaths: served = !item_->DriveLetter.empty(); break;
    default: break;
    }
    return served ? LocalNameOfLetter(item_->DriveLetter) : std::string();
}

bool MediaMapping::AutoMapFree()
{
    std::string letter;
    DriveLetterUse use;
    if (Map(ownDisc_, letter, use)) {
        item_->DriveLetter = BareLetter(letter);
        freeLetter_ = use;
        return true;
    }
    completed_ = false;
    return AskContinue(FormatText(CommonText(IDS_ASK_CONTINUE_AFTER_FREE_MAP_FAILURE_FMT), ownDisc_));
}

bool MediaMapping::AutoMapSpecific()
{
    if (MapToLetter(ownDisc_, item_->DriveLetter))
        return true;
    completed_ = false;
    return FailedToMapMsgBox(item_->DriveLetter, ownDisc_);
}

bool MediaMapping::MapMediaPath(const std::string& letter)
{
    if (ownDisc_.empty())
        return true;
    if (MapToLetter(ownDisc_, letter)) {
        item_->DriveLetter = BareLetter(LocalNameOfLetter(letter));
        return true;
    }
    return FailedToMapMsgBox(letter, ownDisc_);
}

bool MediaMapping::AutoMapMulti()
{
    item_->DriveLetter.clear();
    std::string rest = item_->MultipleMapping;
    const std::string noDrive = CommonText(IDS_MAPPING_NO_DRIVE);
    bool ownDiscDone = false;
    while (!rest.empty()) {
        std::string path;
        std::string letter;
        rest = CacheItem::ExtractFirstPair(rest, path, letter);
        // A pair with an empty half maps nothing, and "none" keeps the own disc unmapped.
        if (path.empty() || letter.empty())
            continue;
        // The first pair of the own disc decides; "This Disc" is never a path to connect.
        if (StandsForOwnDisc(path)) {
            const bool decided = ownDiscDone;
            ownDiscDone = true;
            if (decided || EqualsNoCase(letter, noDrive))
                continue;
            if (!MapMediaPath(letter))
                return false;
            continue;
        }
        if (MapToLetter(path, letter))
            continue;
        completed_ = false;
        if (!FailedToMapMsgBox(letter, path))
            return false;
    }
    return true;
}

bool MediaMapping::MapToLetter(const std::string& path, const std::string& letter)
{
    // A letter from an imported or hand-edited setting may name no drive: nothing is connected.
    if (LocalNameOfLetter(letter).empty()) {
        LogFormatted("MediaMapping | '%s' is no drive letter, %s not mapped\n", letter.c_str(), path.c_str());
        return false;
    }
    std::string used = letter;
    DriveLetterUse use;
    if (!Map(path, used, use))
        return false;
    letters_.push_back(use);
    return true;
}

bool MediaMapping::FailedToMapMsgBox(const std::string& letter, const std::string& path) const
{
    const std::string shown = letter.find(':') == std::string::npos ? letter + ":" : letter;
    return AskContinue(FormatText(CommonText(IDS_ASK_CONTINUE_AFTER_MAP_FAILURE_FMT), shown, path));
}

bool MediaMapping::StandsForOwnDisc(const std::string& path) const
{
    return EqualsNoCase(path, CommonText(IDS_MAPPING_THIS_DISC)) ||
           EqualsNoCase(path, CommonText(IDS_MAPPING_TARGET_FILE_PATH));
}

void MediaMapping::RestoreMediaMappings()
{
    for (const DriveLetterUse& use : letters_)
        MapFunctions::RestoreLetter(use);
    letters_.clear();
}
