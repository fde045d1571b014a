#include "item_shortcut.h"

#include "namespace/namespace_functions.h"
#include "resources/branding_ids.h"
#include "resources/texts.h"
#include "text/text_compare.h"
#include "text/text_format.h"

#include <shlobj.h>

std::string ItemFullName(const CacheItem& item)
{
    return item.FolderPath.empty() ? item.Name : item.FolderPath + "\\" + item.Name;
}

ItemShortcut::ItemShortcut(const CacheItem& item, const std::string& program, LPCITEMIDLIST folder)
    : item_(item)
{
    const bool inAllDiscsFolder = EqualsNoCase(item.FolderPath, BrandingText(IDS_BRAND_ALL_DISCS_FOLDER));
    if ((item.IsMedia() && !inAllDiscsFolder) || item.ItemType == LaunchObject) {
        program_ = program;
        arguments_ = FormatText("\"%s%s\"", item.ItemType == LaunchObject ? "-e:" : "-a:", ItemFullName(item));
        return;
    }
    if (!folder)
        return;
    // Strings too long for an identifier leave the shortcut without a target.
    PidlMgr pidls;
    const ScopedPidl child(pidls.Create(item, item.FolderPath));
    if (child)
        target_.reset(pidls.Concatenate(folder, child.get()));
}

bool ItemShortcut::CanBeMade() const { return target_ || !program_.empty(); }

bool ItemShortcut::SaveOnDesktop() const
{
    if (target_)
        return NamespaceFunctions::CreateShortcut(item_.Name.c_str(), target_.get(), nullptr, nullptr,
                                                  CSIDL_DESKTOPDIRECTORY, item_.ItemType, nullptr, nullptr);
    return !program_.empty() &&
           NamespaceFunctions::CreateShortcut(item_.Name.c_str(), nullptr, program_.c_str(), nullptr,
                                              CSIDL_DESKTOPDIRECTORY, item_.ItemType, arguments_.c_str(),
                                              ItemFullName(item_).c_str());
}

bool ItemShortcut::Write(IStream* stream) const
{
    if (target_)
        return NamespaceFunctions::WriteShortcut(target_.get(), nullptr, item_.ItemType, nullptr, nullptr, stream);
    return !program_.empty() && NamespaceFunctions::WriteShortcut(nullptr, program_.c_str(), item_.ItemType,
                                                                  arguments_.c_str(), ItemFullName(item_).c_str(),
                                                                  stream);
}
