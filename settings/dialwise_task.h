#pragma once

#include "base/command_line_info.h"

#include <string>

// The tasks of the settings program, one per start, chosen by a switch.
enum class DialwiseSwitch {
    None,
    RefreshDrive,          // u:<letter>
    SettingsSheet,         // s[:<page>]
    FindDiscs,             // f
    MapDisc,               // m
    AboutBox,              // p
    ExecuteLaunchObject,   // e:<item path>
    AutoMapItem,           // a:<item path>
    NetworkSetup,          // n
    SelectPublicFolders,   // i
};

struct DialwiseTask {
    DialwiseSwitch which = DialwiseSwitch::None;
    // The switch's value: the text after its first ":", as typed.
    std::string value;
};

// The first switch of u, s, f, m, p, e, a, n, i (tested in that order) that the command line
// has; None when it has none of them.
DialwiseTask ChooseTask(const CommandLineInfo& commandLine);

// The settings sheet's page from "-s:<n>": a decimal number; anything else (negative, not a
// number, too large) is the first page.
unsigned int SettingsPageOf(const std::string& value);
