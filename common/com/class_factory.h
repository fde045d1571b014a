#pragma once

#include "com/com_boundary.h"
#include "com/com_module.h"

#include <unknwn.h>

#include <atomic>
#include <functional>

// The one class factory of the suite. Every CreateInstance asks the creator (which may make a
// new object each time, or hand out a module's one object); whatever the creator throws ends
// as an HRESULT. The factory belongs to whoever made it (the module's start-up, a server's
// main): client references do not delete it and do not keep the module, LockServer does.
class ClassFactory final : public IClassFactory {
public:
    using Creator = std::function<HRESULT(REFIID iid, void** object)>;

    explicit ClassFactory(Creator creator) : creator_(std::move(creator)) {}
    ClassFactory(const ClassFactory&) = delete;
    ClassFactory& operator=(const ClassFactory&) = delete;

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override
    {
        if (object == nullptr)
            return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
            *object = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
    STDMETHODIMP_(ULONG) Release() override
    {
        ULONG current = references_.load();
        while (current > 0 && !references_.compare_exchange_weak(current, current - 1)) {
        }
        return current == 0 ? 0 : current - 1;
    }

    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** object) override
    {
        if (object == nullptr)
            return E_POINTER;
        *object = nullptr;
        if (outer != nullptr)
            return CLASS_E_NOAGGREGATION;
        return ComBoundary("ClassFactory::CreateInstance()", [&] {
            const HRESULT result = creator_(iid, object);
            if (FAILED(result))
                *object = nullptr;
            return result;
        });
    }
    STDMETHODIMP LockServer(BOOL lock) override
    {
        if (lock)
            ThisComModule().Lock();
        else
            ThisComModule().Unlock();
        return S_OK;
    }

private:
    Creator creator_;
    std::atomic<ULONG> references_{0};
};
