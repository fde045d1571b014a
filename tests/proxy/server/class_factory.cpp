#include "class_factory.h"

#include "adopt_com_object.h"
#include "recording_search_module.h"
#include "server_lifetime.h"

#include <new>

HRESULT STDMETHODCALLTYPE RecordingSearchModuleFactory::QueryInterface(REFIID iid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
        *object = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE RecordingSearchModuleFactory::AddRef()
{
    return static_cast<ULONG>(::InterlockedIncrement(&references_));
}

ULONG STDMETHODCALLTYPE RecordingSearchModuleFactory::Release()
{
    const LONG remaining = ::InterlockedDecrement(&references_);
    if (remaining == 0)
        delete this;
    return static_cast<ULONG>(remaining);
}

HRESULT STDMETHODCALLTYPE RecordingSearchModuleFactory::CreateInstance(IUnknown* outer, REFIID iid,
                                                                       void** object)
{
    if (object == nullptr)
        return E_POINTER;
    *object = nullptr;
    if (outer != nullptr)
        return CLASS_E_NOAGGREGATION;
    auto module = AdoptComObject(new (std::nothrow) RecordingSearchModule());
    if (!module)
        return E_OUTOFMEMORY;
    return module->QueryInterface(iid, object);
}

HRESULT STDMETHODCALLTYPE RecordingSearchModuleFactory::LockServer(BOOL lock)
{
    if (lock)
        ServerLifetime::Lock();
    else
        ServerLifetime::Unlock();
    return S_OK;
}
