#include "lumivex_service.h"

#include "attribute_list.h"

#include <cstring>
#include <cwchar>

namespace {

constexpr unsigned int kLowestNumber = 1;
constexpr unsigned int kHighestNumber = 65534;

// The leading decimal number of a text, as the C library reads one (spaces and a sign first);
// anything too large for 32 bits counts as out of range.
long long LeadingNumber(const char* text)
{
    while (*text == ' ' || (*text >= '\t' && *text <= '\r'))
        ++text;
    bool negative = false;
    if (*text == '+' || *text == '-')
        negative = *text++ == '-';
    long long value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        if (value <= 0xFFFFFFFFLL)
            value = value * 10 + (*text - '0');
    }
    return negative ? -value : value;
}

bool SameTagIgnoringCase(const wchar_t* a, const wchar_t* b)
{
    for (;; ++a, ++b) {
        if (std::towlower(static_cast<std::wint_t>(*a)) != std::towlower(static_cast<std::wint_t>(*b)))
            return false;
        if (*a == L'\0')
            return true;
    }
}

} // namespace

LumivexService::Attribute::Attribute(AttributeText&& text)
    : tag_(std::move(text.tag)), rawValue_(std::move(text.rawValue)), value_(std::move(text.firstValue))
{
}

LumivexService::LumivexService(const char* url, const char* attributeList) : Service(url, nullptr)
{
    std::vector<AttributeText> texts = ParseAttributeList(attributeList);
    attributes_.reserve(texts.size());
    for (AttributeText& text : texts)
        attributes_.emplace_back(std::move(text));
}

LumivexService::~LumivexService() = default;

void LumivexService::dummy() {}

const LumivexService::Attribute* LumivexService::Find(const wchar_t* tag) const
{
    for (const Attribute& attribute : attributes_) {
        if (attribute.Tag() != nullptr && SameTagIgnoringCase(attribute.Tag(), tag))
            return &attribute;
    }
    return nullptr;
}

bool LumivexService::GetText(const wchar_t* tag, const wchar_t*& text) const
{
    const Attribute* attribute = Find(tag);
    if (attribute == nullptr) {
        text = L"";
        return false;
    }
    text = attribute->Value();
    return true;
}

bool LumivexService::GetNumber(const wchar_t* tag, unsigned int& number) const
{
    number = 0;
    const Attribute* attribute = Find(tag);
    if (attribute == nullptr || attribute->RawValue() == nullptr)
        return false;
    const long long value = LeadingNumber(attribute->RawValue());
    if (value < kLowestNumber || value > kHighestNumber)
        return false;
    number = static_cast<unsigned int>(value);
    return true;
}

bool LumivexService::GetHWID(unsigned int& id) const { return GetNumber(L"HW ID", id); }
bool LumivexService::GetSWYear(unsigned int& year) const { return GetNumber(L"SW YEAR", year); }
bool LumivexService::GetManufacturer(const wchar_t*& text) const { return GetText(L"MANUFACTURER", text); }
bool LumivexService::GetProductId(const wchar_t*& text) const { return GetText(L"PRODUCT ID", text); }
bool LumivexService::GetProductName(const wchar_t*& text) const { return GetText(L"PRODUCTNAME", text); }
bool LumivexService::GetSWRevision(const wchar_t*& text) const { return GetText(L"SWREVISION", text); }
bool LumivexService::GetSerialNumber(const wchar_t*& text) const { return GetText(L"SERIAL NUMBER", text); }
bool LumivexService::GetSWDate(const wchar_t*& text) const { return GetText(L"SW DATE", text); }
bool LumivexService::GetType(const wchar_t*& text) const { return GetText(L"TYPE", text); }
bool LumivexService::GetLocation(const wchar_t*& text) const { return GetText(L"LOCATION", text); }
bool LumivexService::GetSMBName(const wchar_t*& text) const { return GetText(L"SMB NAME", text); }
bool LumivexService::GetSMBWorkgroup(const wchar_t*& text) const { return GetText(L"SMB WORKGROUP", text); }
bool LumivexService::GetNetwareName(const wchar_t*& text) const { return GetText(L"NETWARE NAME", text); }

bool LumivexService::IsTessaro() const
{
    const Attribute* type = Find(L"TYPE");
    return type != nullptr && type->RawValue() != nullptr && std::strstr(type->RawValue(), "CDS") != nullptr;
}
