#include "ui/resource_module.h"

namespace {

thread_local HINSTANCE t_currentModule = nullptr;

} // namespace

HINSTANCE CurrentResourceModule()
{
    return t_currentModule ? t_currentModule : ::GetModuleHandleA(nullptr);
}

ResourceModuleScope::ResourceModuleScope(HINSTANCE module) : previous_(t_currentModule)
{
    if (module)
        t_currentModule = module;
}

ResourceModuleScope::~ResourceModuleScope() { t_currentModule = previous_; }
