#include "search_module_client.h"

#include "public/search_module_object.h"

namespace {

constexpr ULONGLONG kActivationPatienceMs = 10000;
constexpr DWORD kActivationRetryMs = 200;

IUnknown* g_override = nullptr;

} // namespace

void SetSearchModuleOverride(IUnknown* module) { g_override = module; }

HRESULT CreateSearchModule(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (g_override)
        return g_override->QueryInterface(iid, object);
    // A module that is just ending (its last client went a moment ago) refuses activations until
    // its successor has started: ask again for a while, unless it is not installed at all.
    const ULONGLONG giveUp = ::GetTickCount64() + kActivationPatienceMs;
    for (;;) {
        const HRESULT result = CreateSearchModuleObject(iid, object);
        if (SUCCEEDED(result))
            return result;
        if (result == CO_E_CLASSSTRING || result == REGDB_E_CLASSNOTREG || result == E_NOINTERFACE ||
            ::GetTickCount64() >= giveUp)
            return result;
        ::Sleep(kActivationRetryMs);
    }
}
