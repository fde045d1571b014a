#include "logging/logging.h"

#include "base/module_path.h"
#include "base/module_version.h"
#include "base/scoped_handle.h"
#include "registry/registry.h"
#include "res/string_ids.h"
#include "resources/resources.h"
#include "settings/product_keys.h"
#include "text/text_format.h"

#include <windows.h>

#include <vector>

int Logging::LogIndicator = 0;

namespace {

constexpr char kHeaderTrigger[] = "PrintDate";

std::string ProgramPathOrEmpty()
{
    if (!IsProductKeyKnown())
        return {};
    try {
        return ReadProgramPath();
    } catch (const RegKeyException&) {
        return {};
    }
}

std::string LogFileName()
{
    const std::string executable = ModuleFileName(nullptr);
    if (executable.find('\\') == std::string::npos)
        return ExternalResMgr::GetStringFromCommon(IDS_FALLBACK_LOG_FILE_NAME);
    std::string name = FileNameOf(executable);
    name.replace(name.size() >= 3 ? name.size() - 3 : 0, std::string::npos, "log");
    ::CharLowerBuffA(name.data(), static_cast<DWORD>(name.size()));
    return name;
}

std::string FormatLine(const std::string& text, int number, DebugState state, const SYSTEMTIME& now)
{
    const std::string time = FormatText("%d:%d:%d", now.wHour, now.wMinute, now.wSecond);
    switch (state) {
    case TimeTextValue:
        return FormatText("%s   %s   %d", time, text, number);
    case TimeValueText:
        return FormatText("%s   %d   %s", time, number, text);
    case TextOnly:
        break;
    }
    return text;
}

std::string HeaderBlock(const SYSTEMTIME& now)
{
    const std::string stars(80, '*');
    std::string block = stars + "\n";
    block += FormatText("********************* DATE: %d:%d:%d   TIME: %d:%d:%d\n", now.wYear, now.wMonth,
                        now.wDay, now.wHour, now.wMinute, now.wSecond);
    std::string version;
    if (Logging::GetDLLFileVersion(version))
        block += "********************* Fileversion: " + version + "\n";
    block += stars;
    return block;
}

void AppendToFile(const std::string& path, const std::string& text)
{
    // One open, append and close per line: several processes may write to the folder.
    ScopedFile file(::CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return;
    DWORD written = 0;
    ::WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

} // namespace

std::string Logging::LogFilePath()
{
    const std::string directory = ProgramPathOrEmpty();
    if (directory.empty())
        return {};
    return directory + "\\" + LogFileName();
}

void Logging::OutToLogFile(const std::string& text, int number, DebugState state)
{
    const std::string path = LogFilePath();
    if (path.empty())
        return;
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    AppendToFile(path, text == kHeaderTrigger ? HeaderBlock(now) : FormatLine(text, number, state, now));
}

void Logging::OutToLogFile(const std::string& text)
{
    if (LogIndicator)
        OutToLogFile(text, 0, TextOnly);
}

void Logging::OutToLogFile(const std::string& text, int number)
{
    if (LogIndicator)
        OutToLogFile(text, number, TimeTextValue);
}

void Logging::OutToLogFile(int number, const std::string& text)
{
    if (LogIndicator)
        OutToLogFile(text, number, TimeValueText);
}

void Logging::OutToDebugWindow(const std::string& text, int number, DebugState state)
{
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    const std::string line = FormatText("%d:%d:%d ", now.wYear, now.wMonth, now.wDay) +
                             FormatLine(text, number, state, now);
    ::OutputDebugStringA(line.c_str());
}

void LogRegKeyException(const std::string& prefix, const RegKeyException& error)
{
    Logging::OutToLogFile(prefix);
    Logging::OutToLogFile(FormatText("RegKey Exception: %d\n", static_cast<int>(error.Cause())));
}

void Logging::OutToLogFileAndWindow(const std::string& text, int number)
{
    OutToLogFile(text, number);
    OutToDebugWindow(text, number, TimeTextValue);
}

void Logging::OutToLogFileAndWindow(int number, const std::string& text)
{
    OutToLogFile(number, text);
    OutToDebugWindow(text, number, TimeValueText);
}

void Logging::OutToLogFileAndWindow(const std::string& text)
{
    OutToLogFile(text);
    OutToDebugWindow(text, 0, TextOnly);
}

int Logging::GetDLLFileVersion(std::string& version)
{
    std::string found = ModuleVersionText(g_hBasaltInstance, "ProductVersion");
    if (found.empty())
        return 0;
    version = std::move(found);
    return 1;
}
