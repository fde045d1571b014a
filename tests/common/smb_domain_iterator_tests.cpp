#include "browse/smb_domain_iterator.h"

#include "support/scripted_network.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr char kMicrosoft[] = "Microsoft Windows Network";
constexpr char kOther[] = "Other Network";

std::vector<std::string> Domains()
{
    std::vector<std::string> names;
    for (SMBDomainIterator domain; domain; ++domain)
        names.push_back(*domain);
    return names;
}

class SMBDomainIteratorTest : public ::testing::Test {
protected:
    void AddProvider(const std::string& name, WORD netType, const std::vector<std::string>& domains)
    {
        network.AddResource("", {name, name});
        network.SetProviderType(name, netType);
        for (const std::string& domain : domains)
            network.AddResource(name, {domain, name});
    }

    ScriptedNetwork network;
};

} // namespace

TEST_F(SMBDomainIteratorTest, ListsTheMicrosoftNetworksDomainsInOrderAndClosesBothEnumerations)
{
    // A provider that cannot say what it is comes first and is passed over.
    network.AddResource("", {"Unanswering Network", "Unanswering Network"});
    AddProvider(kOther, 0x17, {"NWTREE"});
    AddProvider(kMicrosoft, 2, {"WORKGROUP", "SALES", "ENGINEERING"});

    EXPECT_EQ((std::vector<std::string>{"WORKGROUP", "SALES", "ENGINEERING"}), Domains());
    EXPECT_EQ(2u, network.EnumerationsOpened()) << "the providers, then the Microsoft network's domains";
    EXPECT_EQ(0u, network.OpenEnumerations());
}

TEST_F(SMBDomainIteratorTest, WithoutTheMicrosoftProviderThereAreNoDomainsAndNothingStaysOpen)
{
    AddProvider(kOther, 0x17, {"NWTREE"});
    SMBDomainIterator domain;
    EXPECT_FALSE(domain);
    EXPECT_EQ("", *domain);
    EXPECT_EQ(0u, network.OpenEnumerations());
}

TEST_F(SMBDomainIteratorTest, AnEntryLargerThanTheFirstBufferIsStillListedAndTheListGoesOn)
{
    AddProvider(kMicrosoft, 2, {});
    network.AddResource(kMicrosoft, {"FIRST", kMicrosoft});
    network.AddResource(kMicrosoft, {"DESCRIBED", kMicrosoft, std::string(3000, 'c')});
    network.AddResource(kMicrosoft, {"LAST", kMicrosoft});

    EXPECT_EQ((std::vector<std::string>{"FIRST", "DESCRIBED", "LAST"}), Domains());
    const std::vector<DWORD> sizes = network.EnumBufferSizes();
    EXPECT_TRUE(std::find_if(sizes.begin(), sizes.end(), [](DWORD size) { return size > 3000; }) != sizes.end())
        << "the entry was read again into a larger buffer";
    EXPECT_EQ(0u, network.OpenEnumerations());
}

TEST_F(SMBDomainIteratorTest, AnIteratorLeftBeforeTheEndClosesItsEnumeration)
{
    AddProvider(kMicrosoft, 2, {"WORKGROUP", "SALES"});
    {
        SMBDomainIterator domain;
        ASSERT_TRUE(domain);
        EXPECT_EQ("WORKGROUP", *domain);
        EXPECT_EQ(1u, network.OpenEnumerations());
    }
    EXPECT_EQ(0u, network.OpenEnumerations());
}
