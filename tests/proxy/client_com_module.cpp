#include "com/com_module.h"

// The client programs of the tests implement one kind of COM object, the notification
// callback; nothing ends or unloads when the last one goes.
ComModule& ThisComModule()
{
    static ComModule module;
    return module;
}
