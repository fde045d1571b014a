#include "registry_snapshot.h"

#include "logging.h"
#include "registry.h"
#include "scoped_handle.h"

#include "support/branding_loaded.h"
#include "support/registry_sandbox.h"
#include "support/temp_directory.h"

#include <gtest/gtest.h>
#include <shlobj.h>

namespace {

using GetClassObjectFunction = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
using NoArgumentFunction = HRESULT(STDAPICALLTYPE*)();

const CLSID kFolderClass = {0x3E73FA00, 0x72FE, 0x11D1, {0xB0, 0x08, 0x00, 0xA0, 0xC9, 0x8D, 0x47, 0xB7}};
const CLSID kOtherClass = {0x0c1f6a2e, 0x5b7d, 0x4e8a, {0x9d, 0x11, 0x3a, 0x6b, 0x2c, 0x40, 0x77, 0x19}};

template <class Interface>
struct ComReleaser {
    void operator()(Interface* object) const { object->Release(); }
};
template <class Interface>
using ComPtr = std::unique_ptr<Interface, ComReleaser<Interface>>;

// Shellvue.dll loaded into the test process as Explorer loads it, inside a registry sandbox.
class ShellvueEntryTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        library_.Reset();
        Logging::LogIndicator = 0;
    }

    void Load()
    {
        library_.Reset(::LoadLibraryA("Shellvue.dll"));
        ASSERT_TRUE(library_) << "Shellvue.dll: error " << ::GetLastError();
        getClassObject_ = reinterpret_cast<GetClassObjectFunction>(
            reinterpret_cast<void*>(::GetProcAddress(library_.Get(), "DllGetClassObject")));
        canUnloadNow_ = reinterpret_cast<NoArgumentFunction>(
            reinterpret_cast<void*>(::GetProcAddress(library_.Get(), "DllCanUnloadNow")));
        registerServer_ = reinterpret_cast<NoArgumentFunction>(
            reinterpret_cast<void*>(::GetProcAddress(library_.Get(), "DllRegisterServer")));
        ASSERT_NE(nullptr, getClassObject_);
        ASSERT_NE(nullptr, canUnloadNow_);
        ASSERT_NE(nullptr, registerServer_);
    }

    ComPtr<IClassFactory> FolderFactory()
    {
        void* object = nullptr;
        EXPECT_EQ(S_OK, getClassObject_(kFolderClass, IID_IClassFactory, &object));
        return ComPtr<IClassFactory>(static_cast<IClassFactory*>(object));
    }

    ComPtr<IShellFolder> NewFolder(IClassFactory& factory)
    {
        void* object = nullptr;
        EXPECT_EQ(S_OK, factory.CreateInstance(nullptr, IID_IShellFolder, &object));
        return ComPtr<IShellFolder>(static_cast<IShellFolder*>(object));
    }

    RegistrySandbox sandbox_;
    ScopedModule library_;
    GetClassObjectFunction getClassObject_ = nullptr;
    NoArgumentFunction canUnloadNow_ = nullptr;
    NoArgumentFunction registerServer_ = nullptr;
};

TEST_F(ShellvueEntryTest, RegisterServerSucceedsAndChangesNothingInTheRegistry)
{
    Load();
    const std::string user = RegistrySnapshot(HKEY_CURRENT_USER);
    const std::string machine = RegistrySnapshot(HKEY_LOCAL_MACHINE);
    const std::string classes = RegistrySnapshot(HKEY_CLASSES_ROOT);

    EXPECT_EQ(S_OK, registerServer_());

    EXPECT_EQ(user, RegistrySnapshot(HKEY_CURRENT_USER));
    EXPECT_EQ(machine, RegistrySnapshot(HKEY_LOCAL_MACHINE));
    EXPECT_EQ(classes, RegistrySnapshot(HKEY_CLASSES_ROOT));
}

TEST_F(ShellvueEntryTest, CanUnloadOnlyWhileNoFolderLivesAndNoLockIsHeld)
{
    Load();
    ComPtr<IClassFactory> factory = FolderFactory();
    ASSERT_TRUE(factory);
    // Holding the factory alone does not keep the library; LockServer does.
    EXPECT_EQ(S_OK, canUnloadNow_());

    ComPtr<IShellFolder> first = NewFolder(*factory);
    ComPtr<IShellFolder> second = NewFolder(*factory);
    ASSERT_TRUE(first && second);
    EXPECT_NE(first.get(), second.get()) << "every request makes its own folder";
    EXPECT_EQ(S_FALSE, canUnloadNow_());

    IPersistFolder* persist = nullptr;
    ASSERT_EQ(S_OK, first->QueryInterface(IID_IPersistFolder, reinterpret_cast<void**>(&persist)));
    CLSID clsid{};
    EXPECT_EQ(S_OK, persist->GetClassID(&clsid));
    EXPECT_TRUE(IsEqualCLSID(kFolderClass, clsid));
    first.reset();
    second.reset();
    EXPECT_EQ(S_FALSE, canUnloadNow_()) << "the folder's other interface still holds it";
    persist->Release();
    EXPECT_EQ(S_OK, canUnloadNow_());

    EXPECT_EQ(S_OK, factory->LockServer(TRUE));
    EXPECT_EQ(S_FALSE, canUnloadNow_());
    EXPECT_EQ(S_OK, factory->LockServer(FALSE));
    EXPECT_EQ(S_OK, canUnloadNow_());

    // An unbalanced unlock must not cancel a later lock.
    EXPECT_EQ(S_OK, factory->LockServer(FALSE));
    EXPECT_EQ(S_OK, factory->LockServer(TRUE));
    EXPECT_EQ(S_FALSE, canUnloadNow_());
    EXPECT_EQ(S_OK, factory->LockServer(FALSE));
    EXPECT_EQ(S_OK, canUnloadNow_());
}

TEST_F(ShellvueEntryTest, FactoryRefusesAggregationAndUnknownInterfaces)
{
    Load();
    ComPtr<IClassFactory> factory = FolderFactory();
    ASSERT_TRUE(factory);
    void* object = &object;
    EXPECT_EQ(E_NOINTERFACE, factory->CreateInstance(nullptr, IID_IDropTarget, &object));
    EXPECT_EQ(nullptr, object);
    EXPECT_EQ(CLASS_E_NOAGGREGATION, factory->CreateInstance(factory.get(), IID_IUnknown, &object));
    EXPECT_EQ(S_OK, canUnloadNow_()) << "a refused request leaves no object behind";
}

TEST_F(ShellvueEntryTest, OtherClassIsNotAvailable)
{
    Load();
    void* object = &object;
    EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE, getClassObject_(kOtherClass, IID_IClassFactory, &object));
    EXPECT_EQ(nullptr, object);
}

TEST_F(ShellvueEntryTest, StartUpReadsTheUserSettingsAndLogsWhenLoggingIsOn)
{
    TempDirectory folder;
    {
        BrandingLoaded branding;
        RegKey::LOCAL_MACHINE.CreateKey(kProductKey).SetStringValue("Program Path", folder.Path());
        RegKey user = RegKey::CURRENT_USER.CreateKey(kProductKey);
        user.SetDWORDValue("Logging", 1);
        user.SetDWORDValue("ClipboardCutFlag", 1);
    }
    Load();
    EXPECT_EQ(1, Logging::LogIndicator);
    EXPECT_FALSE(RegKey::CURRENT_USER.GetKeyRead(kProductKey).ValueExists("ClipboardCutFlag"))
        << "no cut is pending when the library starts";

    EXPECT_EQ(S_OK, canUnloadNow_());
    ComPtr<IClassFactory> factory = FolderFactory();
    ComPtr<IShellFolder> folderObject = NewFolder(*factory);
    EXPECT_EQ(S_FALSE, canUnloadNow_());
    folderObject.reset();

    const std::string log = ReadWholeFile(folder.File("shellvue_entry_tests.log"));
    const size_t header = log.find("********************* DATE: ");
    const size_t start = log.find("ShellvueApp::InitInstance()\n");
    EXPECT_NE(std::string::npos, header) << log;
    EXPECT_NE(std::string::npos, start) << log;
    EXPECT_LT(header, start);
    const size_t yes = log.find("DllCanUnloadNow returns S_OK\n");
    const size_t no = log.find("DllCanUnloadNow returns S_FALSE\n");
    EXPECT_NE(std::string::npos, yes) << log;
    EXPECT_NE(std::string::npos, no) << log;
    EXPECT_LT(yes, no);
}

TEST_F(ShellvueEntryTest, LoggingStaysOffWithoutTheUserSwitch)
{
    TempDirectory folder;
    {
        BrandingLoaded branding;
        RegKey::LOCAL_MACHINE.CreateKey(kProductKey).SetStringValue("Program Path", folder.Path());
    }
    Load();
    EXPECT_EQ(0, Logging::LogIndicator);
    EXPECT_EQ(S_OK, canUnloadNow_());
    EXPECT_FALSE(FileExists(folder.File("shellvue_entry_tests.log")));
}

} // namespace
