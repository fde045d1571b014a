#include "com/com_module.h"
#include "module_lifetime.h"

namespace {

void OnClientsGone() noexcept
{
    try {
        ModuleLifetime::Instance().ClientsGone();
    } catch (...) {
        // Only the log line of the module's end can fail here; the module ends regardless.
    }
}

} // namespace

// The module's one object counts here while clients hold it, as do class-object locks; when
// the last goes, the module may end.
ComModule& ThisComModule()
{
    static ComModule module;
    static const bool idleHandlerSet = (module.SetIdleHandler(&OnClientsGone), true);
    (void)idleHandlerSet;
    return module;
}
