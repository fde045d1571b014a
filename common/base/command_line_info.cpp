#include "base/command_line_info.h"

#include "text/ansi_text.h"

#include <windows.h>
#include <shellapi.h>

#include <memory>

namespace {

std::string UpperCase(std::string text)
{
    if (!text.empty())
        ::CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

struct LocalFreeArguments {
    void operator()(LPWSTR* arguments) const noexcept { ::LocalFree(arguments); }
};

} // namespace

CommandLineInfo::CommandLineInfo(const wchar_t* commandLine)
{
    if (!commandLine || !*commandLine)
        return;
    int count = 0;
    const std::unique_ptr<LPWSTR, LocalFreeArguments> arguments(::CommandLineToArgvW(commandLine, &count));
    if (!arguments)
        return;
    // The first is the program itself.
    for (int i = 1; i < count; ++i)
        ParseParam(AnsiFromWide(arguments.get()[i]));
}

void CommandLineInfo::ParseParam(std::string parameter)
{
    if (!parameter.empty() && (parameter.front() == '-' || parameter.front() == '/'))
        parameter.erase(0, 1);
    parameters_.push_back(std::move(parameter));
}

bool CommandLineInfo::IsParameterSupplied(const std::string& name, std::string& value) const
{
    const std::string wanted = UpperCase(name);
    for (const std::string& parameter : parameters_) {
        const size_t colon = parameter.find(':');
        if (UpperCase(parameter.substr(0, colon)) != wanted)
            continue;
        if (colon != std::string::npos)
            value = parameter.substr(colon + 1);
        return true;
    }
    return false;
}
