#include "launch_record.h"

#include "text/ansi_text.h"

#include <shellapi.h>

#include <fstream>
#include <sstream>

std::vector<std::string> LaunchRecord::Arguments() const
{
    std::vector<std::string> arguments;
    int count = 0;
    LPWSTR* parsed = ::CommandLineToArgvW(WideFromAnsi(AnsiFromUtf8(commandLine)).c_str(), &count);
    if (parsed == nullptr)
        return arguments;
    for (int i = 1; i < count; ++i)
        arguments.push_back(AnsiFromWide(parsed[i]));
    ::LocalFree(parsed);
    return arguments;
}

std::optional<LaunchRecord> WaitForLaunchRecord(const std::string& path, DWORD timeoutMs)
{
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    while (::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (::GetTickCount64() >= end)
            return std::nullopt;
        ::Sleep(50);
    }
    std::ifstream file(path);
    LaunchRecord record;
    std::string line;
    while (std::getline(file, line)) {
        const auto equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        const std::string name = line.substr(0, equals);
        const std::string value = line.substr(equals + 1);
        if (name == "command line")
            record.commandLine = value;
        else if (name == "folder")
            record.folder = AnsiFromUtf8(value);
        else if (name == "show")
            record.show = std::stoi(value);
    }
    return record;
}
