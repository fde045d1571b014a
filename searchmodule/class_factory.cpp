#include "class_factory.h"

#include "module_lifetime.h"
#include "search_module.h"

HRESULT STDMETHODCALLTYPE ModuleClassFactory::QueryInterface(REFIID iid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
        *object = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE ModuleClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    *object = nullptr;
    if (outer != nullptr)
        return CLASS_E_NOAGGREGATION;
    if (ModuleLifetime::Instance().IsEnding())
        return CO_E_SERVER_STOPPING;
    return module_.QueryInterface(iid, object);
}

HRESULT STDMETHODCALLTYPE ModuleClassFactory::LockServer(BOOL lock)
{
    if (lock)
        ModuleLifetime::Instance().Lock();
    else
        ModuleLifetime::Instance().Unlock();
    return S_OK;
}
