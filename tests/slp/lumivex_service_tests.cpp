#include "lumivex_service.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring Text(const wchar_t* text) { return text ? text : L"(null)"; }

TEST(LumivexServiceTest, TypeAndNumbersOfAStorageServer)
{
    const LumivexService service("service:lumivex.orvek://a", "(TYPE=CDS,OTHER),(HW ID=12)");
    EXPECT_STREQ("service:lumivex.orvek://a", service.GetURL());
    EXPECT_TRUE(service.IsTessaro());
    const wchar_t* type = nullptr;
    EXPECT_TRUE(service.GetType(type));
    EXPECT_EQ(L"CDS", Text(type));
    unsigned int id = 99;
    EXPECT_TRUE(service.GetHWID(id));
    EXPECT_EQ(12u, id);
}

TEST(LumivexServiceTest, NumbersOutsideOneTo65534AreRefused)
{
    unsigned int number = 99;
    EXPECT_FALSE(LumivexService("u", "(HW ID=65535)").GetHWID(number));
    EXPECT_EQ(0u, number);
    number = 99;
    EXPECT_FALSE(LumivexService("u", "(SW YEAR=0)").GetSWYear(number));
    EXPECT_EQ(0u, number);
    EXPECT_TRUE(LumivexService("u", "(SW YEAR=65534)").GetSWYear(number));
    EXPECT_EQ(65534u, number);
    EXPECT_FALSE(LumivexService("u", "(HW ID=99999999999999999999)").GetHWID(number));
    EXPECT_FALSE(LumivexService("u", "(HW ID=-1)").GetHWID(number));
    // A keyword has no number; a missing tag neither.
    EXPECT_FALSE(LumivexService("u", "HW ID").GetHWID(number));
    EXPECT_FALSE(LumivexService("u", "(TYPE=CDS)").GetSWYear(number));
    EXPECT_EQ(0u, number);
}

TEST(LumivexServiceTest, EscapesAreResolvedAndBadOnesLeaveNoValue)
{
    const wchar_t* location = nullptr;
    EXPECT_TRUE(LumivexService("u", "(LOCATION=Room\\20A)").GetLocation(location));
    EXPECT_EQ(L"Room A", Text(location));
    EXPECT_TRUE(LumivexService("u", "(LOCATION=\\4a\\4A)").GetLocation(location));
    EXPECT_EQ(L"JJ", Text(location));
    EXPECT_TRUE(LumivexService("u", "(LOCATION=bad\\2)").GetLocation(location));
    EXPECT_EQ(nullptr, location);
    EXPECT_TRUE(LumivexService("u", "(LOCATION=bad\\2g)").GetLocation(location));
    EXPECT_EQ(nullptr, location);
    // Only the first value is decoded; an escaped comma belongs to it.
    EXPECT_TRUE(LumivexService("u", "(LOCATION=A\\2cB,C)").GetLocation(location));
    EXPECT_EQ(L"A,B", Text(location));
}

TEST(LumivexServiceTest, ValuesAreReadAsUtf8)
{
    const wchar_t* name = nullptr;
    // "Müller" and the euro sign, escaped and plain.
    EXPECT_TRUE(LumivexService("u", "(MANUFACTURER=M\\c3\\bcller)").GetManufacturer(name));
    EXPECT_EQ(L"M\u00fcller", Text(name));
    EXPECT_TRUE(LumivexService("u", "(PRODUCTNAME=\xe2\x82\xac)").GetProductName(name));
    EXPECT_EQ(L"\u20ac", Text(name));
    // A stray continuation byte, a four-byte lead, a cut sequence: no value.
    EXPECT_TRUE(LumivexService("u", "(PRODUCTNAME=\\80)").GetProductName(name));
    EXPECT_EQ(nullptr, name);
    EXPECT_TRUE(LumivexService("u", "(PRODUCTNAME=\xf0\x9f\x98\x80)").GetProductName(name));
    EXPECT_EQ(nullptr, name);
    EXPECT_TRUE(LumivexService("u", "(PRODUCTNAME=\xe2\x82)").GetProductName(name));
    EXPECT_EQ(nullptr, name);
    EXPECT_TRUE(LumivexService("u", "(PRODUCTNAME=\xe2\x41\x82)").GetProductName(name));
    EXPECT_EQ(nullptr, name);
}

TEST(LumivexServiceTest, TagsAreFoundInAnyCaseAndTheFirstOneWins)
{
    const LumivexService service("u", "(hw id=7),(HW ID=8),(Smb Name=NAS1),(smb workgroup=WG)");
    unsigned int id = 0;
    EXPECT_TRUE(service.GetHWID(id));
    EXPECT_EQ(7u, id);
    const wchar_t* text = nullptr;
    EXPECT_TRUE(service.GetSMBName(text));
    EXPECT_EQ(L"NAS1", Text(text));
    EXPECT_TRUE(service.GetSMBWorkgroup(text));
    EXPECT_EQ(L"WG", Text(text));
    EXPECT_FALSE(service.GetNetwareName(text));
    EXPECT_EQ(L"", Text(text));
    EXPECT_FALSE(service.IsTessaro());
}

TEST(LumivexServiceTest, TypeMustContainCdsInCapitals)
{
    EXPECT_TRUE(LumivexService("u", "(TYPE=XCDSX)").IsTessaro());
    EXPECT_TRUE(LumivexService("u", "(TYPE=OTHER,CDS)").IsTessaro());
    EXPECT_FALSE(LumivexService("u", "(TYPE=cds)").IsTessaro());
    EXPECT_FALSE(LumivexService("u", "(TYPE=OTHER)").IsTessaro());
    EXPECT_FALSE(LumivexService("u", "TYPE,CDS").IsTessaro());
}

TEST(LumivexServiceTest, AttributeListKeepsOrderAndStopsAtAnUnfinishedItem)
{
    const LumivexService service("u", "PUBLIC,(TYPE=CDS),SECURE,(SW DATE=2000-01-01)X,(LOCATION=)");
    const auto& attributes = service.GetAttributes();
    ASSERT_EQ(5u, attributes.size());
    EXPECT_EQ(L"PUBLIC", Text(attributes[0].Tag()));
    EXPECT_EQ(nullptr, attributes[0].RawValue());
    EXPECT_EQ(nullptr, attributes[0].Value());
    EXPECT_EQ(L"TYPE", Text(attributes[1].Tag()));
    EXPECT_STREQ("CDS", attributes[1].RawValue());
    EXPECT_EQ(L"SECURE", Text(attributes[2].Tag()));
    EXPECT_EQ(L"SW DATE", Text(attributes[3].Tag()));
    // Text right after ")" without a comma starts a keyword.
    EXPECT_EQ(L"X", Text(attributes[4].Tag()));
    // The empty value ended the list: no LOCATION.
    const wchar_t* location = nullptr;
    EXPECT_FALSE(service.GetLocation(location));

    EXPECT_TRUE(LumivexService("u", "(TYPE=CDS").GetAttributes().empty());
    EXPECT_TRUE(LumivexService("u", "(TYPE").GetAttributes().empty());
    EXPECT_TRUE(LumivexService("u", "").GetAttributes().empty());
    EXPECT_TRUE(LumivexService("u", nullptr).GetAttributes().empty());
}

TEST(LumivexServiceTest, AKeywordCountsAsPresentWithoutValue)
{
    const wchar_t* text = L"x";
    EXPECT_TRUE(LumivexService("u", "SERIAL NUMBER").GetSerialNumber(text));
    EXPECT_EQ(nullptr, text);
    EXPECT_TRUE(LumivexService("u", "(SWREVISION=1.2),(PRODUCT ID=7)").GetSWRevision(text));
    EXPECT_EQ(L"1.2", Text(text));
}

} // namespace
