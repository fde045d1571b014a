#include "new_name_check.h"

#include "cache/cache.h"
#include "registry/registry.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "settings/product_keys.h"
#include "text/text_format.h"

namespace {

// The longest registry path an item key may have, as the suite has always limited it.
constexpr size_t kLongestItemKeyPath = 239;

std::string Trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

std::optional<std::string> CheckNewName(const std::string& folderPath, const std::string& currentName,
                                        std::string& name)
{
    name = Trimmed(name);
    if (name.empty())
        return CommonText(IDS_ERR_NAME_REQUIRED);
    if (!Cache::IsValidName(name))
        return CommonText(IDS_ERR_NAME_BAD_CHARS);
    std::string keyPath;
    try {
        keyPath = ProductSubKeyPath(IDS_SUBKEY_CACHE) + "\\" + (folderPath.empty() ? "" : folderPath + "\\") + name;
    } catch (const RegKeyException&) {
        keyPath.assign(kLongestItemKeyPath + 1, ' ');   // no key to name it under
    }
    if (keyPath.size() > kLongestItemKeyPath)
        return FormatText(CommonText(IDS_ERR_RENAME_TOO_LONG_FMT), currentName);
    return std::nullopt;
}
