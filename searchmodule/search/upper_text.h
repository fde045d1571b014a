#pragma once

#include <windows.h>

#include <string>

// The text in upper case by the ANSI code page's rules, as the networking API compares names.
inline std::string UpperText(std::string text)
{
    if (!text.empty())
        ::CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}
