#include "com/com_module.h"

// The test program implements one kind of COM object, the recording search module; nothing
// ends or unloads when the last one goes.
ComModule& ThisComModule()
{
    static ComModule module;
    return module;
}
