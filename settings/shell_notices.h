#pragma once

#include <optional>
#include <string>

// The root ("D:\") of the drive a command line names: one letter from A to Z in either case,
// optionally followed by ":" or ":\"; nothing for anything else.
std::optional<std::string> DriveRootOf(const std::string& value);

// Tells Explorer that the drive's contents changed (after a disc was mapped there): the drive's
// folder, its name and My Computer. A value that names no drive is refused with a log line and
// nothing is sent.
void RefreshDrive(const std::string& value);

// Tells Explorer that My Computer's contents changed.
void NotifyMyComputerChanged();
