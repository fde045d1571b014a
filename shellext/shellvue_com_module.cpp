#include "com/com_module.h"

// Every folder, view, menu, data object, drop target and enumerator of the namespace counts
// here, as do the locks of the class factory: DllCanUnloadNow answers from it.
ComModule& ThisComModule()
{
    static ComModule module;
    return module;
}
