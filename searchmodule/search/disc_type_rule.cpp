#include "disc_type_rule.h"

#include "logging/logging.h"
#include "registry/registry.h"
#include "res/string_ids.h"
#include "resources/texts.h"
#include "settings/product_keys.h"
#include "upper_text.h"

namespace {

std::vector<std::string> UpperStrings(std::vector<std::string> strings)
{
    std::erase_if(strings, [](const std::string& s) { return s.empty(); });
    for (std::string& s : strings)
        s = UpperText(s);
    return strings;
}

// "\Disc Search\<media>\SMB Search Strings" of the product key: the media key name is what
// follows "\Media Type" in the old profile's key, which the user set-up moved here.
std::string SearchStringsKey(UINT oldMediaKeyId)
{
    const std::string oldParent = CommonText(IDS_SUBKEY_MEDIA_TYPE);
    std::string media = CommonText(oldMediaKeyId);
    if (media.compare(0, oldParent.size(), oldParent) == 0)
        media.erase(0, oldParent.size());
    return ProductSubKeyPath(IDS_SUBKEY_DISC_SEARCH) + media + CommonText(IDS_SUBKEY_SMB_SEARCH_STRINGS);
}

std::vector<std::string> ReadSearchStrings(UINT oldMediaKeyId)
{
    std::vector<std::string> strings;
    try {
        const std::string path = SearchStringsKey(oldMediaKeyId);
        if (!RegKey::CURRENT_USER.KeyExists(path))
            return strings;
        RegValueEnumerator values = RegKey::CURRENT_USER.GetKeyRead(path).GetValueEnumerator();
        while (values.Next()) {
            if (values.GetType() != StringValue)
                continue;
            const std::string data = values.GetStringData();
            strings.push_back(data.empty() ? values.GetName() : data);
        }
    } catch (const RegKeyException& error) {
        LogRegKeyException("DiscTypeRule::FromUserSettings() - ", error);
    }
    return strings;
}

} // namespace

DiscTypeRule::DiscTypeRule(std::vector<std::string> cdRomStrings, std::vector<std::string> jazStrings)
    : cdRom_(UpperStrings(std::move(cdRomStrings))), jaz_(UpperStrings(std::move(jazStrings)))
{
    if (jaz_.empty())
        jaz_ = UpperStrings({CommonText(IDS_MEDIA_NAME_JAZ)});
}

DiscTypeRule DiscTypeRule::FromUserSettings()
{
    return DiscTypeRule(ReadSearchStrings(IDS_SUBKEY_MEDIA_TYPE_CDROM), ReadSearchStrings(IDS_SUBKEY_MEDIA_TYPE_JAZ));
}

bool DiscTypeRule::ContainsAny(const std::string& upperText, const std::vector<std::string>& upperStrings)
{
    for (const std::string& s : upperStrings) {
        if (upperText.find(s) != std::string::npos)
            return true;
    }
    return false;
}

std::optional<ListItemType> DiscTypeRule::Classify(const std::string& shareName, const std::string& comment) const
{
    if (shareName.empty() || shareName.back() == '$')
        return std::nullopt;
    const std::string name = UpperText(shareName);
    const std::string upperComment = UpperText(comment);
    if (ContainsAny(name, jaz_) || ContainsAny(upperComment, jaz_))
        return JazDisc;
    if (cdRom_.empty() || ContainsAny(name, cdRom_) || ContainsAny(upperComment, cdRom_))
        return CdRomDisc;
    return std::nullopt;
}
