#include "ui/failure_report.h"

#ifdef SUITE_UI_STATIC

#include <windows.h>

#include <cstdio>

// A program that compiles the kit in runs without the suite's libraries and keeps no log: the
// failure goes to the debugger.
void ReportUiFailure(const char* where, unsigned int templateId, const char* what) noexcept
{
    char line[512];
    std::snprintf(line, sizeof line, "%s - dialog %u - Exception caught: %s\n", where, templateId, what ? what : "");
    ::OutputDebugStringA(line);
}

#else

#include "logging/logging.h"

// Inside Basalt the failure goes to the suite's log (and the debugger).
void ReportUiFailure(const char* where, unsigned int templateId, const char* what) noexcept
{
    try {
        Logging::OutToLogFileAndWindow(
            FormatText("%s - dialog %u - Exception caught: %s \n", where, templateId, what ? what : ""));
    } catch (...) {
        // Nothing more can be done about a failing log line.
    }
}

#endif
