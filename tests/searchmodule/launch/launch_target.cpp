// A program that launch objects start in tests: it records how it was started (its command
// line, working folder and window state) in the file named by its first argument, and ends.

#include <windows.h>

#include <shellapi.h>

#include <string>

namespace {

std::string Narrow(const wchar_t* text)
{
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string result(size > 0 ? static_cast<size_t>(size) : 1, '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, -1, result.data(), size, nullptr, nullptr);
    result.resize(result.size() - 1);
    return result;
}

bool WriteWhole(const std::wstring& path, const std::string& text)
{
    // Written aside and moved in place, so a reader never sees half a record.
    const std::wstring partial = path + L".partial";
    HANDLE file = ::CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const BOOL wrote = ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    ::CloseHandle(file);
    return wrote && ::MoveFileExW(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    int count = 0;
    LPWSTR* arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (arguments == nullptr || count < 2)
        return 2;
    const std::wstring recordPath = arguments[1];
    ::LocalFree(arguments);

    wchar_t folder[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, folder);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    ::GetStartupInfoW(&startup);
    const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? startup.wShowWindow : -1;

    const std::string record = "command line=" + Narrow(::GetCommandLineW()) + "\nfolder=" + Narrow(folder) +
                               "\nshow=" + std::to_string(show) + "\n";
    return WriteWhole(recordPath, record) ? 0 : 1;
}
