#include "module_instance.h"

// Set by DllMain when the library is loaded; null where the parts are linked into a program.
HINSTANCE g_hShellvueInstance = nullptr;
