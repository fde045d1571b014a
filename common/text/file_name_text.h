#pragma once

#include "basalt_api.h"

#include <cstddef>
#include <string>

// A name made fit to be one file name inside a file-system folder, at most maxLength characters
// long: characters that separate a path, name a stream or a device, or make a pattern become
// "_", and a name of dots only becomes underscores. Names of discs come from storage servers
// and names of items from other processes; a file named after one must not lead elsewhere.
BASALT_API std::string SafeFileNamePart(const std::string& name, std::size_t maxLength);
