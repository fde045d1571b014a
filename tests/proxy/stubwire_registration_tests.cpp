#include "stubwire_library.h"

#include "proxy_file_table.h"

#include "nsinterfaces.h"
#include "registry/registry.h"

#include <gtest/gtest.h>
#include <wrl/client.h>

#include <string>

namespace {

using Microsoft::WRL::ComPtr;

struct InterfaceEntry {
    const char* iid;
    const char* name;
};

// Written out rather than formatted from the header, so that a wrong identifier in the
// interface definition shows here.
constexpr InterfaceEntry kInterfaces[] = {
    {"{F1C32AB0-C944-11D1-8AC7-00A0C9295F1E}", "INotifyNSClient"},
    {"{F1C32AB1-C944-11D1-8AC7-00A0C9295F1E}", "IRegisterNSClient"},
    {"{F1C32AB2-C944-11D1-8AC7-00A0C9295F1E}", "INotifyNSServer"},
    {"{F1C32AB3-C944-11D1-8AC7-00A0C9295F1E}", "INotifyNSLaunchManager"},
};
constexpr char kFactoryClsid[] = "{F1C32AB0-C944-11D1-8AC7-00A0C9295F1E}";

std::string InterfaceKey(const InterfaceEntry& entry)
{
    return std::string("Interface\\") + entry.iid;
}

std::string FactoryKey()
{
    return std::string("CLSID\\") + kFactoryClsid;
}

std::string Lowercase(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(::tolower(static_cast<unsigned char>(c)));
    return text;
}

TEST(StubwireRegistrationTest, RegisterAddsTheProxyStubEntriesAndUnregisterRemovesThem)
{
    StubwireLibrary stubwire;
    const RegKeyRead& classes = RegKey::CLASSES_ROOT;

    // Unregisters again if an assertion ends the test early.
    ScopedStubwireRegistration registration(stubwire);
    for (const auto& entry : kInterfaces) {
        SCOPED_TRACE(entry.name);
        ASSERT_TRUE(classes.KeyExists(InterfaceKey(entry)));
        RegKeyRead key = classes.GetKeyRead(InterfaceKey(entry));
        EXPECT_EQ(entry.name, key.QueryStringValue(""));
        EXPECT_EQ(kFactoryClsid, key.GetKeyRead("ProxyStubClsid32").QueryStringValue(""));
    }
    ASSERT_TRUE(classes.KeyExists(FactoryKey() + "\\InProcServer32"));
    EXPECT_EQ(Lowercase(stubwire.Path()),
              Lowercase(classes.GetKeyRead(FactoryKey() + "\\InProcServer32").QueryStringValue("")));

    ASSERT_EQ(S_OK, stubwire.UnregisterServer());
    for (const auto& entry : kInterfaces)
        EXPECT_FALSE(classes.KeyExists(InterfaceKey(entry))) << entry.name;
    EXPECT_FALSE(classes.KeyExists(FactoryKey()));
}

TEST(StubwireLibraryTest, ProxyFileTableListsTheFourInterfacesAndTheFactoryClassId)
{
    StubwireLibrary stubwire;
    const void* proxyFiles = nullptr;
    const CLSID* factoryClassId = nullptr;
    stubwire.GetProxyDllInfo(&proxyFiles, &factoryClassId);

    ASSERT_NE(nullptr, factoryClassId);
    EXPECT_TRUE(IsEqualCLSID(IID_INotifyNSClient, *factoryClassId));
    ASSERT_NE(nullptr, proxyFiles);
    ASSERT_EQ(1, ProxyFileCount(proxyFiles));
    ASSERT_EQ(4, ProxyFileInterfaceCount(proxyFiles));
    const IID* iids[] = {&IID_INotifyNSClient, &IID_IRegisterNSClient, &IID_INotifyNSServer,
                         &IID_INotifyNSLaunchManager};
    for (int index = 0; index < 4; ++index) {
        SCOPED_TRACE(kInterfaces[index].name);
        EXPECT_STREQ(kInterfaces[index].name, ProxyFileInterfaceName(proxyFiles, index));
        EXPECT_EQ(index, ProxyFileLookup(proxyFiles, iids[index]));
    }
    EXPECT_EQ(-1, ProxyFileLookup(proxyFiles, &IID_IUnknown));
}

TEST(StubwireLibraryTest, OffersItsFactoryAndStaysLoadedWhileItIsHeld)
{
    StubwireLibrary stubwire;
    EXPECT_EQ(S_OK, stubwire.CanUnloadNow());

    ComPtr<IPSFactoryBuffer> factory;
    ASSERT_EQ(S_OK, stubwire.GetClassObject(IID_INotifyNSClient, IID_PPV_ARGS(&factory)));
    ASSERT_NE(nullptr, factory);
    EXPECT_EQ(S_FALSE, stubwire.CanUnloadNow());

    // {6A1D2C3E-5B4F-4E8A-9C7D-0F1E2D3C4B5A}: no class of the library.
    constexpr CLSID kUnrelatedClassId = {0x6a1d2c3e, 0x5b4f, 0x4e8a, {0x9c, 0x7d, 0x0f, 0x1e, 0x2d, 0x3c, 0x4b, 0x5a}};
    ComPtr<IPSFactoryBuffer> other;
    EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE, stubwire.GetClassObject(kUnrelatedClassId, IID_PPV_ARGS(&other)));
    EXPECT_EQ(nullptr, other);

    factory.Reset();
    EXPECT_EQ(S_OK, stubwire.CanUnloadNow());
}

} // namespace
