#include "command_line.h"

#include <windows.h>
#include <shellapi.h>

#include <memory>

namespace {

struct LocalFreeDeleter {
    void operator()(LPWSTR* arguments) const { ::LocalFree(arguments); }
};

} // namespace

RunMode RunModeOf(const std::wstring& commandLine)
{
    int count = 0;
    std::unique_ptr<LPWSTR, LocalFreeDeleter> arguments(::CommandLineToArgvW(commandLine.c_str(), &count));
    if (!arguments)
        return RunMode::Unusable;
    RunMode mode = RunMode::Unusable;
    // The first entry is the program itself.
    for (int i = 1; i < count; ++i) {
        const wchar_t* parameter = arguments.get()[i];
        if (*parameter == L'-' || *parameter == L'/')
            ++parameter;
        if (::lstrcmpiW(parameter, L"s") == 0)
            mode = RunMode::Silent;
        else if (::lstrcmpiW(parameter, L"user") == 0)
            mode = RunMode::Interactive;
    }
    return mode;
}
