// A user's settings across starts of the suite's programs, each started as its own process
// after the namespace is registered. The programs read the real registry, so these tests run in
// a Wine prefix of their own (run_settings_survive_starts_tests.sh) and remove what they made.

#include "base/module_path.h"
#include "base/scoped_handle.h"
#include "item/item.h"
#include "registry/registry.h"

#include "support/branding_loaded.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr char kNamespaceClass[] = "{3E73FA00-72FE-11D1-B008-00A0C98D47B7}";
constexpr DWORD kProgramTimeoutMs = 60000;

std::string NamespaceClassKey() { return std::string("CLSID\\") + kNamespaceClass; }
std::string BuildFolder() { return DirectoryOf(ModuleFileName(nullptr)); }

// Runs a program of the build folder to its end: its exit code, or -1 when it could not start
// or did not end in time.
long RunToEnd(const std::string& program, const std::string& arguments)
{
    std::string command = "\"" + JoinPath(BuildFolder(), program) + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, BuildFolder().c_str(),
                          &startup, &started))
        return -1;
    ::CloseHandle(started.hThread);
    const ScopedKernelHandle process(started.hProcess);
    if (::WaitForSingleObject(process.Get(), kProgramTimeoutMs) != WAIT_OBJECT_0)
        return -1;
    DWORD code = 0;
    ::GetExitCodeProcess(process.Get(), &code);
    return static_cast<long>(code);
}

long RegisterTheNamespace() { return RunToEnd("RegisterNamespace.exe", "/register"); }

std::string RegisteredVersion()
{
    return RegKey::CLASSES_ROOT.GetKeyRead(NamespaceClassKey() + "\\NSProductInfo").QueryStringValue("Version");
}

RegKey User() { return RegKey::CURRENT_USER.CreateKey(kProductKey); }

// A server installation as the installer leaves it: the programs' folder, the installation
// kind, a new user's default settings and cache template; not yet registered.
class SettingsSurviveStartsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(RegKey::LOCAL_MACHINE.KeyExists(kProductKey) || RegKey::CURRENT_USER.KeyExists(kProductKey) ||
                     RegKey::CLASSES_ROOT.KeyExists(NamespaceClassKey()))
            << "this prefix already holds an installation: these tests need a Wine prefix of their own";
        RegKey machine = RegKey::LOCAL_MACHINE.CreateKey(kProductKey);
        machine.SetStringValue("Program Path", BuildFolder());
        machine.SetDWORDValue("Installed Version", 387);
        RegKey defaults = machine.CreateKey("User");
        defaults.SetDWORDValue("Show Icon", 1);
        defaults.SetDWORDValue("Background Process", 0);
        RegKey cache = defaults.CreateKey("Cache");
        cache.SetStringValue("Name", "Network Storage");
        cache.SetDWORDValue("ItemType", RootFolder);
        cache.CreateKey("All Discs").SetDWORDValue("ItemType", SystemFolder);
    }

    void TearDown() override
    {
        ::RegDeleteTreeA(HKEY_CLASSES_ROOT, NamespaceClassKey().c_str());
        ::RegDeleteTreeA(HKEY_CURRENT_USER, "SOFTWARE\\Orvek Communications");
        ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Orvek Communications");
    }
};

TEST_F(SettingsSurviveStartsTest, RegisteringAgainNeverLowersTheInstalledVersion)
{
    ASSERT_EQ(0, RegisterTheNamespace());
    EXPECT_EQ("2.00", RegisteredVersion());
    ASSERT_EQ(0, RegisterTheNamespace());
    EXPECT_EQ("2.00", RegisteredVersion());

    RegKey::CLASSES_ROOT.GetKey(NamespaceClassKey() + "\\NSProductInfo").SetStringValue("Version", "2.50");
    ASSERT_EQ(0, RegisterTheNamespace());
    EXPECT_EQ("2.50", RegisteredVersion());
}

TEST_F(SettingsSurviveStartsTest, AUsersOwnSettingsSurviveTwoStartsOfEachProgramAfterRegistration)
{
    ASSERT_EQ(0, RegisterTheNamespace());
    ASSERT_EQ(0, RegisterTheNamespace());

    // The user's first start (Explorer showing the namespace) sets the user up from the defaults.
    const std::string showNamespace = std::string("Shellvue.dll ") + kNamespaceClass;
    ASSERT_EQ(0, RunToEnd("shellvue_host.exe", showNamespace));
    EXPECT_EQ("2.00", User().QueryStringValue("Version"));
    ASSERT_EQ(1u, User().QueryDWORDValue("Show Icon"));
    User().SetDWORDValue("Show Icon", 0);

    struct Start {
        const char* program;
        std::string arguments;
    };
    const std::vector<Start> starts = {
        {"Trawlex.exe", "/RegServer"},
        {"Trawlex.exe", "/RegServer"},
        {"shellvue_host.exe", showNamespace},
        {"shellvue_host.exe", showNamespace},
    };
    for (const Start& start : starts) {
        ASSERT_EQ(0, RunToEnd(start.program, start.arguments)) << start.program << " " << start.arguments;
        EXPECT_EQ(0u, User().QueryDWORDValue("Show Icon")) << "after " << start.program;
        EXPECT_EQ("2.00", User().QueryStringValue("Version")) << "after " << start.program;
    }
}

} // namespace
