#pragma once

#include <string>

// "\\SERVER\SHARE" of a network path ("\\SERVER\SHARE\dir\file"); empty for any other path.
// A launch object's own disc, which "This Disc" and "Target File Path" stand for, is the share
// that holds its target program.
std::string ShareOfPath(const std::string& path);

// A path on a share as seen through the drive that serves the share ("\\S\SH\dir" on "F:" is
// "F:\dir"); other paths unchanged.
std::string PathOnDrive(const std::string& path, const std::string& share, const std::string& localName);
