#include "support/registry_snapshot.h"

#include "base/scoped_handle.h"
#include "logging/logging.h"
#include "registry/registry.h"
#include "resources/resources.h"

#include "support/branding_loaded.h"
#include "support/prompt_recorder.h"
#include "support/registry_sandbox.h"
#include "support/temp_directory.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <string>
#include <vector>

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
        g_hBrandingInstance = nullptr;
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
    // A new client user is asked once about public folders when the first folder is made.
    PromptRecorder prompts_{IDCANCEL};
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

// An installation as the installer leaves it: the program folder, the installation kind, a new
// user's default settings and cache template, and the installed version.
void MarkAsInstallation(const std::string& programPath)
{
    RegKey machine = RegKey::LOCAL_MACHINE.CreateKey(kProductKey);
    machine.SetStringValue("Program Path", programPath);
    machine.SetDWORDValue("Installed Version", 387);
    RegKey defaults = machine.CreateKey("User");
    defaults.SetDWORDValue("Show Icon", 1);
    defaults.SetDWORDValue("Background Process", 0);
    RegKey cache = defaults.CreateKey("Cache");
    cache.SetStringValue("Name", "Network Storage");
    cache.SetDWORDValue("ItemType", 4);
    cache.CreateKey("All Discs").SetDWORDValue("ItemType", 0);
    RegKey::CLASSES_ROOT.CreateKey(kProductInfoKey).SetStringValue("Version", "2.00");
}

std::vector<std::string> ValueNames(HKEY key)
{
    std::vector<std::string> names;
    char name[256];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof name;
        if (::RegEnumValueA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.push_back(name);
    }
    return names;
}

// Lets the thread's windows take what was posted to them.
void PumpMessages()
{
    MSG message;
    for (int round = 0; round < 20; ++round) {
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&message);
        ::Sleep(10);
    }
}

TEST_F(ShellvueEntryTest, LoadingTheLibraryDoesNothingButRecordItsModule)
{
    TempDirectory folder;
    MarkAsInstallation(folder.Path());
    RegKey::CURRENT_USER.CreateKey(kProductKey).SetDWORDValue("Logging", 1);
    const std::string user = RegistrySnapshot(HKEY_CURRENT_USER);

    Load();

    EXPECT_EQ(user, RegistrySnapshot(HKEY_CURRENT_USER)) << "no user set-up under the loader lock";
    EXPECT_EQ(0, Logging::LogIndicator);
    EXPECT_EQ(nullptr, g_hBrandingInstance) << "the branding library waits for the first request";
    EXPECT_FALSE(FileExists(folder.File("shellvue_entry_tests.log")));
}

TEST_F(ShellvueEntryTest, FirstRequestLoadsTheBrandingThenSetsUpTheNewUserAndNothingAtTheRoot)
{
    TempDirectory folder;
    MarkAsInstallation(folder.Path());
    Load();
    ASSERT_TRUE(FolderFactory());
    ASSERT_NE(nullptr, g_hBrandingInstance);

    RegKeyRead user = RegKey::CURRENT_USER.GetKeyRead(kProductKey);
    EXPECT_EQ("2.00", user.QueryStringValue("Version"));
    EXPECT_EQ(1u, user.QueryDWORDValue("Installed Version")) << "the installation kind last seen: a server installation";
    EXPECT_EQ(1u, user.QueryDWORDValue("Show Icon"));
    EXPECT_EQ(0u, user.QueryDWORDValue("Background Process"));
    EXPECT_TRUE(user.KeyExists("Cache\\All Discs"));
    EXPECT_TRUE(ValueNames(HKEY_CURRENT_USER).empty()) << "a value was written at the root of the user's hive";
}

TEST_F(ShellvueEntryTest, StartUpRunsOnceAndReadsTheUserSettingsAndLogsWhenLoggingIsOn)
{
    TempDirectory folder;
    MarkAsInstallation(folder.Path());
    {
        BrandingLoaded branding;
        RegKey user = RegKey::CURRENT_USER.CreateKey(kProductKey);
        user.SetDWORDValue("Logging", 1);
        user.SetDWORDValue("ClipboardCutFlag", 1);
    }
    Load();
    EXPECT_EQ(S_OK, canUnloadNow_());
    ComPtr<IClassFactory> factory = FolderFactory();
    ComPtr<IClassFactory> again = FolderFactory();
    EXPECT_EQ(1, Logging::LogIndicator);
    EXPECT_FALSE(RegKey::CURRENT_USER.GetKeyRead(kProductKey).ValueExists("ClipboardCutFlag"))
        << "no cut is pending when the library starts";

    ComPtr<IShellFolder> folderObject = NewFolder(*factory);
    EXPECT_EQ(S_FALSE, canUnloadNow_());
    folderObject.reset();

    const std::string log = ReadWholeFile(folder.File("shellvue_entry_tests.log"));
    const size_t header = log.find("********************* DATE: ");
    const size_t start = log.find("ShellvueApp::InitInstance()\n");
    EXPECT_NE(std::string::npos, header) << log;
    ASSERT_NE(std::string::npos, start) << log;
    EXPECT_LT(header, start);
    EXPECT_EQ(std::string::npos, log.find("ShellvueApp::InitInstance()\n", start + 1)) << "started twice:\n" << log;
    const size_t no = log.find("DllCanUnloadNow returns S_FALSE\n");
    EXPECT_NE(std::string::npos, no) << log;
}

TEST_F(ShellvueEntryTest, LoggingStaysOffWithoutTheUserSwitch)
{
    TempDirectory folder;
    MarkAsInstallation(folder.Path());
    Load();
    ASSERT_TRUE(FolderFactory());
    EXPECT_EQ(0, Logging::LogIndicator);
    EXPECT_EQ(S_OK, canUnloadNow_());
    EXPECT_FALSE(FileExists(folder.File("shellvue_entry_tests.log")));
}

TEST_F(ShellvueEntryTest, TheHostReadsTheLoggingSwitchAgainWhenTheSettingsProgramAnnouncesIt)
{
    TempDirectory folder;
    MarkAsInstallation(folder.Path());
    Load();
    ASSERT_TRUE(FolderFactory());
    ASSERT_EQ(0, Logging::LogIndicator);
    const UINT announcement = ::RegisterWindowMessageA("_NETWORK_STORAGE_START_STOP_LOG_");

    RegKey::CURRENT_USER.GetKey(kProductKey).SetDWORDValue("Logging", 1);
    ASSERT_TRUE(::PostMessageA(HWND_BROADCAST, announcement, 0, 0));
    PumpMessages();
    EXPECT_EQ(1, Logging::LogIndicator);
    EXPECT_NE(std::string::npos,
              ReadWholeFile(folder.File("shellvue_entry_tests.log")).find("ShellvueApp::OnStartStopLog()\n"));

    RegKey::CURRENT_USER.GetKey(kProductKey).SetDWORDValue("Logging", 0);
    ASSERT_TRUE(::PostMessageA(HWND_BROADCAST, announcement, 0, 0));
    PumpMessages();
    EXPECT_EQ(0, Logging::LogIndicator);
}

} // namespace
