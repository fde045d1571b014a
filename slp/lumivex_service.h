#pragma once

#include "probestar_api.h"
#include "service.h"

#include <optional>
#include <string>
#include <vector>

struct AttributeText;

// A storage server found by SLP, with the attributes it reported. The texts returned by the
// accessors belong to the object.
class PROBESTAR_API LumivexService : public Service {
public:
    class PROBESTAR_API Attribute {
    public:
        explicit Attribute(AttributeText&& text);

        // Null when the tag was not valid UTF-8.
        const wchar_t* Tag() const { return tag_ ? tag_->c_str() : nullptr; }
        // The value text as received; null for a keyword.
        const char* RawValue() const { return rawValue_ ? rawValue_->c_str() : nullptr; }
        // The first value decoded; null for a keyword or when it could not be decoded.
        const wchar_t* Value() const { return value_ ? value_->c_str() : nullptr; }

    private:
        std::optional<std::wstring> tag_;
        std::optional<std::string> rawValue_;
        std::optional<std::wstring> value_;
    };

    // attributeList: the server's attribute list as its attribute reply carried it.
    LumivexService(const char* url, const char* attributeList);
    ~LumivexService() override;

    // Numbers are accepted from 1 to 65534; otherwise 0 and false.
    bool GetHWID(unsigned int& id) const;
    bool GetSWYear(unsigned int& year) const;
    // True whenever the attribute is there, with its decoded first value (null when that could
    // not be decoded); otherwise an empty text and false.
    bool GetManufacturer(const wchar_t*& text) const;
    bool GetProductId(const wchar_t*& text) const;
    bool GetProductName(const wchar_t*& text) const;
    bool GetSWRevision(const wchar_t*& text) const;
    bool GetSerialNumber(const wchar_t*& text) const;
    bool GetSWDate(const wchar_t*& text) const;
    bool GetType(const wchar_t*& text) const;
    bool GetLocation(const wchar_t*& text) const;
    bool GetSMBName(const wchar_t*& text) const;
    bool GetSMBWorkgroup(const wchar_t*& text) const;
    bool GetNetwareName(const wchar_t*& text) const;
    // A storage server of the suite: its TYPE contains "CDS".
    bool IsTessaro() const;

    const std::vector<Attribute>& GetAttributes() const { return attributes_; }

private:
    void dummy() override;

    // The first attribute with this tag, compared without regard to case.
    const Attribute* Find(const wchar_t* tag) const;
    bool GetText(const wchar_t* tag, const wchar_t*& text) const;
    bool GetNumber(const wchar_t* tag, unsigned int& number) const;

    std::vector<Attribute> attributes_;
};
