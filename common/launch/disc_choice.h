#pragma once

#include <windows.h>

#include <string>

// Opens the Browse Discs dialog over owner; the network path of the disc the user picked, or
// empty when none was picked.
std::string ChooseDiscNetworkPath(HWND owner);
