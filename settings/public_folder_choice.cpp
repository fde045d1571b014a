#include "public_folder_choice.h"

#include "check_list.h"
#include "logging/logging.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "sheet/setting_values.h"
#include "text/text_compare.h"

#include <algorithm>

namespace {

bool ContainsName(const std::vector<std::string>& names, const std::string& name)
{
    return std::any_of(names.begin(), names.end(), [&](const std::string& other) { return EqualsNoCase(other, name); });
}

bool IsReachableFolder(const std::string& location)
{
    const DWORD attributes = ::GetFileAttributesA(location.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

PublicFolderChoice::Listing PublicFolderChoice::Read(const std::string& location)
{
    offered_.clear();
    const PublicFolderMgr folders;
    selected_ = folders.GetSelectedFolders();
    const std::string where = location.empty()
                                  ? ReadSettingText(SettingsHive::Machine, IDS_GLOBAL_DATA_LOCATION_VALUE,
                                                    "PublicFolderChoice::Read")
                                  : location;
    if (where.empty() || !IsReachableFolder(where))
        return Listing::NoLocation;
    if (folders.GetPublicFolders(offered_, where.c_str()) < 0) {
        offered_.clear();
        return Listing::Unreadable;
    }
    return Listing::Listed;
}

std::string PublicFolderChoice::ProblemText(Listing listing)
{
    switch (listing) {
    case Listing::NoLocation:
        return CommonText(IDS_ERR_PUBLIC_DATA_UNAVAILABLE);
    case Listing::Unreadable:
        return CommonText(IDS_ERR_PUBLIC_FOLDER_LIST_UNREADABLE);
    case Listing::Listed:
        break;
    }
    return {};
}

void PublicFolderChoice::Show(CheckList& list) const
{
    list.Clear();
    for (const PublicFolderItem& folder : offered_)
        list.Add(folder.Name, ContainsName(selected_, folder.Name));
}

bool PublicFolderChoice::Apply(const std::vector<std::string>& chosen)
{
    std::vector<PublicFolderItem> imported;
    for (const PublicFolderItem& folder : offered_) {
        if (ContainsName(chosen, folder.Name))
            imported.push_back(folder);
    }
    const bool all = PublicFolderMgr().ImportFolders(imported);
    selected_.clear();
    for (const PublicFolderItem& folder : imported)
        selected_.push_back(folder.Name);
    return all;
}
