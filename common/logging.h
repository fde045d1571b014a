#pragma once

#include "basalt_api.h"

#include <string>

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
