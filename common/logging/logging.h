#pragma once

#include "basalt_api.h"
#include "text/text_format.h"

#include <string>

class RegKeyException;

// The layout of one log line.
enum DebugState { TimeTextValue = 0, TimeValueText = 1, TextOnly = 2 };

// A plain-text trace of calls, one file per executable in the installation folder.
class BASALT_API Logging {
public:
    // Non-zero switches logging on.
    static int LogIndicator;

    // Writes whatever LogIndicator says.
    static void OutToLogFile(const std::string& text, int number, DebugState state);
    // These write only while LogIndicator is set.
    static void OutToLogFile(const std::string& text);
    static void OutToLogFile(const std::string& text, int number);
    static void OutToLogFile(int number, const std::string& text);

    // Sends the line, prefixed with the date, to the debugger, whatever LogIndicator says.
    static void OutToDebugWindow(const std::string& text, int number, DebugState state);
    static void OutToLogFileAndWindow(const std::string& text, int number);
    static void OutToLogFileAndWindow(int number, const std::string& text);
    static void OutToLogFileAndWindow(const std::string& text);

    // The product version of Basalt's version resource; non-zero when found.
    static int GetDLLFileVersion(std::string& version);

    // The file this process writes to; empty when the installation folder is unknown.
    static std::string LogFilePath();
};

// The suite's usual record of a caught registry failure: the member's prefix, then
// "RegKey Exception: <code>".
BASALT_API void LogRegKeyException(const std::string& prefix, const RegKeyException& error);

// Formats and writes a line only while logging is on, so that hot paths pay nothing otherwise.
template <class... Args>
void LogFormatted(const std::string& format, const Args&... args)
{
    if (Logging::LogIndicator)
        Logging::OutToLogFile(FormatText(format, args...));
}
