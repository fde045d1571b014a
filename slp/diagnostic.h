#pragma once

#include <cstdio>

// Traces of a search's inner workings. They are formatted, so that a debugger can look at the
// text in the frame, and deliberately written nowhere.
template <class... Args>
void FormatDiagnostic(const char* format, const Args&... args)
{
    char text[512];
    std::snprintf(text, sizeof text, format, args...);
}
