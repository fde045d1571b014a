#include "com/com_module.h"

// The settings program's own COM objects (the Find dialog's client of the search module and
// the host of its view) count here; nothing unloads when the last goes.
ComModule& ThisComModule()
{
    static ComModule module;
    return module;
}
