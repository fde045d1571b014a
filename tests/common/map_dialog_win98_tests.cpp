// Wine reports Windows 98 to a program named under HKCU\Software\Wine\AppDefaults before it
// starts; the checks run in such a program, in the test prefix's real registry.
#include "base/module_path.h"
#include "base/scoped_handle.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr char kChecksProgram[] = "map_dialog_win98_checks.exe";

// The Windows version Wine reports to one program, for the object's lifetime.
class WineVersionForProgram {
public:
    WineVersionForProgram(const std::string& program, const std::string& version)
        : key_("Software\\Wine\\AppDefaults\\" + program)
    {
        HKEY key = nullptr;
        if (::RegCreateKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                              nullptr) != ERROR_SUCCESS)
            return;
        set_ = ::RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version.c_str()),
                                static_cast<DWORD>(version.size() + 1)) == ERROR_SUCCESS;
        ::RegCloseKey(key);
    }
    ~WineVersionForProgram() { ::RegDeleteTreeA(HKEY_CURRENT_USER, key_.c_str()); }
    WineVersionForProgram(const WineVersionForProgram&) = delete;
    WineVersionForProgram& operator=(const WineVersionForProgram&) = delete;

    bool IsSet() const { return set_; }

private:
    std::string key_;
    bool set_ = false;
};

// Runs a program of the test folder to its end; its exit code, or -1 when it could not be
// started or did not end within the time.
long RunToEnd(const std::string& program, DWORD timeoutMs)
{
    std::string command = "\"" + JoinPath(DirectoryOf(ModuleFileName(nullptr)), program) + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    const ScopedKernelHandle thread(process.hThread);
    const ScopedKernelHandle child(process.hProcess);
    if (::WaitForSingleObject(child.Get(), timeoutMs) != WAIT_OBJECT_0) {
        ::TerminateProcess(child.Get(), 1);
        return -1;
    }
    DWORD code = 0;
    ::GetExitCodeProcess(child.Get(), &code);
    return static_cast<long>(code);
}

} // namespace

TEST(MapMediaDialogOnWindows98, ConnectAsRowIsHiddenAndThePasswordDialogAsksOnlyForAPassword)
{
    const WineVersionForProgram windows98(kChecksProgram, "win98");
    ASSERT_TRUE(windows98.IsSet());
    EXPECT_EQ(0, RunToEnd(kChecksProgram, 60000)) << "the checks failed or did not end; their output is above";
}
