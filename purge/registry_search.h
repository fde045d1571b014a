#pragma once

#include "found_data.h"

// Looks for every key and value that installations of the suite, under either brand, leave in
// the registry. Keys that cannot be opened contribute nothing.
RegistryFindings SearchRegistry();
