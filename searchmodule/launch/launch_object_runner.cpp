#include "launch_object_runner.h"

#include "action_chain.h"
#include "base/module_path.h"
#include "item_at_path.h"
#include "launch_command_line.h"
#include "launch_drive_paths.h"
#include "logging/logging.h"
#include "mapping/map_functions.h"
#include "mapping/mapping_settings.h"
#include "mapping/media_mapping.h"
#include "ns_result_codes.h"
#include "program_start.h"
#include "res/launch_string_ids.h"
#include "res/string_ids.h"
#include "resources/resources.h"
#include "resources/texts.h"
#include "text/text_format.h"
#include "ui/prompt.h"

namespace {

// "ExitLOStatus": what happens to the mappings when the program ends.
enum ExitMappingStatus { RestorePrevious = 0, UnmapLetters = 1, KeepMappings = 2 };

bool IsExistingFile(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// Every letter the run's mapping touched, the free one first.
std::vector<DriveLetterUse> LettersOf(const MediaMapping& mapping)
{
    std::vector<DriveLetterUse> letters;
    if (mapping.FreeLetterUse())
        letters.push_back(*mapping.FreeLetterUse());
    letters.insert(letters.end(), mapping.SpecificLetterUses().begin(), mapping.SpecificLetterUses().end());
    return letters;
}

// Puts every letter the run connected back as it was before the run.
void RestoreLetters(const std::vector<DriveLetterUse>& letters)
{
    for (const DriveLetterUse& use : letters)
        MapFunctions::RestoreLetter(use);
}

} // namespace

LaunchObjectRunner::LaunchObjectRunner(std::function<void(int)> programEnded) : watch_(std::move(programEnded)) {}

LaunchObjectRunner::~LaunchObjectRunner()
{
    if (!held_.empty())
        LogFormatted("LaunchObjectRunner - the module ends before %d programs: their drive mappings stay\n",
                     static_cast<int>(held_.size()));
}

std::optional<CacheItem> LaunchObjectRunner::FindLaunchObject(const std::string& itemPath)
{
    return FindItemAtPath(itemPath, [](const CacheItem& item) { return item.ItemType == LaunchObject; });
}

HRESULT LaunchObjectRunner::Execute(const std::string& itemPath)
{
    std::optional<CacheItem> launchObject = FindLaunchObject(itemPath);
    if (!launchObject) {
        LogFormatted("LaunchObjectRunner::Execute() - no launch object '%s'\n", itemPath.c_str());
        ShowErrorPrompt(nullptr, FormatText(CommonText(IDS_ERR_ITEM_NOT_FOUND_FMT), itemPath.c_str()));
        return NSS_S_NOT_FOUND;
    }
    return Run(*launchObject);
}

HRESULT LaunchObjectRunner::Run(CacheItem& launchObject)
{
    if (launchObject.TargetFile.empty()) {
        ShowErrorPrompt(nullptr, FormatText(ProgramText(IDS_LAUNCH_NO_TARGET_FMT), launchObject.Name.c_str()));
        return E_INVALIDARG;
    }
    if (!LaunchCommandLine::HasBalancedQuotes(launchObject.TargetFile)) {
        ShowErrorPrompt(nullptr,
                        FormatText(CommonText(IDS_ERR_TARGET_FILE_QUOTES_FMT), launchObject.TargetFile.c_str()));
        return E_INVALIDARG;
    }
    const LaunchCommandLine::Target target = LaunchCommandLine::SplitTarget(launchObject.TargetFile, IsExistingFile);

    // Mapped first: the chain's file dialogs may start on the mapped drives.
    const std::string ownDisc = ShareOfPath(target.program);
    CacheItem settings = MappingSettingsOf(launchObject);
    MediaMapping mapping(&settings, ownDisc);
    const bool mapped = mapping.AutoMediaMapping();
    HeldLetters held{launchObject.ExitLOStatus, LettersOf(mapping)};
    if (!mapped) {
        LogFormatted("Launch object '%s' stopped after a failed mapping\n", launchObject.Name.c_str());
        RestoreLetters(held.letters);
        return S_FALSE;
    }

    std::vector<std::string> answers;
    if (!ActionChain(nullptr).Run(launchObject.Actions, answers)) {
        LogFormatted("Launch object '%s' cancelled by the user\n", launchObject.Name.c_str());
        RestoreLetters(held.letters);   // nothing was started for them
        return S_FALSE;
    }

    // Old programs want their drive letter: the program and its folder are reached through the
    // drive that now serves their disc.
    const std::string drive = mapping.OwnDiscLocalName();
    ProgramStart start;
    start.program = PathOnDrive(target.program, ownDisc, drive);
    start.arguments = LaunchCommandLine::JoinArguments(target.arguments, answers);
    start.workingFolder = launchObject.StartIn.empty() ? DirectoryOf(start.program)
                                                       : PathOnDrive(launchObject.StartIn, ownDisc, drive);
    start.startAs = launchObject.StartAs;
    ScopedKernelHandle process;
    const DWORD error = StartProgram(start, process);
    if (error != NO_ERROR) {
        LogFormatted("Launch object '%s' could not start '%s': %u\n", launchObject.Name.c_str(),
                     start.program.c_str(), static_cast<unsigned>(error));
        ShowErrorPrompt(nullptr, FormatText(ProgramText(IDS_LAUNCH_CANNOT_START_FMT), start.program.c_str(),
                                            static_cast<int>(error)));
        RestoreLetters(held.letters);
        return HRESULT_FROM_WIN32(error);
    }
    LogFormatted("Launch object '%s' started: %s %s\n", launchObject.Name.c_str(), start.program.c_str(),
                 start.arguments.c_str());

    // Letters the run only reused are held too: a run that connected them and ends first hands
    // them over instead of taking them from this program.
    if (held.exitStatus != KeepMappings && !held.letters.empty()) {
        const int id = watch_.Watch(std::move(process));
        if (id != 0)
            held_[id] = std::move(held);
        else
            LogFormatted("Launch object '%s': its drive mappings stay, the program cannot be watched\n",
                         launchObject.Name.c_str());
    }
    return S_OK;
}

void LaunchObjectRunner::ProgramEnded(int id)
{
    watch_.Forget(id);
    const auto found = held_.find(id);
    if (found == held_.end())
        return;
    const HeldLetters ended = std::move(found->second);
    held_.erase(found);
    std::vector<DriveLetterUse> letters;
    for (const DriveLetterUse& use : ended.letters) {
        if (!HandOverToLaterRun(id, use))
            letters.push_back(use);
    }
    ApplyExitStatus(ended.exitStatus, letters);
}

bool LaunchObjectRunner::HandOverToLaterRun(int endedId, const DriveLetterUse& use)
{
    for (auto later = held_.upper_bound(endedId); later != held_.end(); ++later) {
        for (DriveLetterUse& theirs : later->second.letters) {
            if (TakeOverLetter(theirs, use)) {
                LogFormatted("LaunchObjectRunner::ProgramEnded() - %s stays for a program that still uses it\n",
                             use.localName.c_str());
                return true;
            }
        }
    }
    return false;
}

void LaunchObjectRunner::ApplyExitStatus(int exitStatus, const std::vector<DriveLetterUse>& letters)
{
    LogFormatted("A launch object's program ended: its drive mappings are treated by exit status %d\n", exitStatus);
    switch (exitStatus) {
    case KeepMappings:
        return;
    case UnmapLetters:
        for (const DriveLetterUse& use : letters)
            MapFunctions::ReleaseLetter(use);
        return;
    default:
        // What the letters held before comes back; an unknown status is treated so too.
        RestoreLetters(letters);
        return;
    }
}
