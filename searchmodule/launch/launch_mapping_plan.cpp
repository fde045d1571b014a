#include "launch_mapping_plan.h"

#include "res/string_ids.h"
#include "resources/texts.h"
#include "text/text_compare.h"

namespace {

enum AutoMappingMode { MapOff = 0, MapFreeLetter = 1, MapSpecificLetter = 2, MapSeveralPaths = 3 };

bool StandsForOwnDisc(const std::string& path)
{
    return EqualsNoCase(path, CommonText(IDS_MAPPING_THIS_DISC)) ||
           EqualsNoCase(path, CommonText(IDS_MAPPING_TARGET_FILE_PATH));
}

std::vector<PlannedMapping> SeveralPaths(const std::string& list, const std::string& ownDisc)
{
    const std::string noDrive = CommonText(IDS_MAPPING_NO_DRIVE);
    std::vector<PlannedMapping> plan;
    std::string rest = list;
    while (!rest.empty()) {
        std::string path;
        std::string letter;
        rest = CacheItem::ExtractFirstPair(rest, path, letter);
        if (path.empty() || letter.empty() || EqualsNoCase(letter, noDrive))
            continue;
        if (StandsForOwnDisc(path)) {
            if (!ownDisc.empty())
                plan.push_back({ownDisc, letter});
        } else {
            plan.push_back({path, letter});
        }
    }
    return plan;
}

} // namespace

std::string ShareOfPath(const std::string& path)
{
    if (path.size() < 3 || path.compare(0, 2, "\\\\") != 0)
        return {};
    const auto serverEnd = path.find('\\', 2);
    if (serverEnd == std::string::npos || serverEnd == 2)
        return {};
    const auto shareEnd = path.find('\\', serverEnd + 1);
    const std::string share = path.substr(0, shareEnd);
    return share.size() > serverEnd + 1 ? share : std::string();
}

std::vector<PlannedMapping> PlanLaunchMappings(const CacheItem& launchObject, const std::string& targetProgram)
{
    const std::string ownDisc = ShareOfPath(targetProgram);
    switch (launchObject.AutoMapping) {
    case MapFreeLetter:
        return ownDisc.empty() ? std::vector<PlannedMapping>{} : std::vector<PlannedMapping>{{ownDisc, {}}};
    case MapSpecificLetter:
        if (ownDisc.empty() || launchObject.DriveLetter.empty())
            return {};
        return {{ownDisc, launchObject.DriveLetter}};
    case MapSeveralPaths:
        return SeveralPaths(launchObject.MultipleMapping, ownDisc);
    default:
        return {};
    }
}
