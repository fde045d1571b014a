#pragma once

#include "com/com_module.h"

#include <unknwn.h>
#include <wrl/client.h>

#include <atomic>
#include <span>
#include <utility>

// One line of an object's interface table: an interface id and how to reach that interface
// from the object.
struct ComInterfaceEntry {
    const IID* iid;
    IUnknown* (*reach)(void* object);
};

// The table entry of Interface. Via names the interface it is reached through when Interface
// is a base of more than one of the object's interfaces (IPersist through IPersistFolder).
template <class Object, class Interface, class Via = Interface>
ComInterfaceEntry ComInterface()
{
    return {&__uuidof(Interface), [](void* object) -> IUnknown* {
                return static_cast<Interface*>(static_cast<Via*>(static_cast<Object*>(object)));
            }};
}

namespace com_object_detail {

// QueryInterface over a table; IUnknown is the table's first interface, so that every
// interface of the object gives the same identity.
inline HRESULT QueryFromTable(void* object, std::span<const ComInterfaceEntry> table, REFIID iid, void** result)
{
    if (result == nullptr)
        return E_POINTER;
    *result = nullptr;
    if (table.empty())
        return E_NOINTERFACE;
    for (const ComInterfaceEntry& entry : table) {
        if (IsEqualIID(iid, *entry.iid)) {
            IUnknown* found = entry.reach(object);
            found->AddRef();
            *result = found;
            return S_OK;
        }
    }
    if (IsEqualIID(iid, IID_IUnknown)) {
        IUnknown* identity = table.front().reach(object);
        identity->AddRef();
        *result = identity;
        return S_OK;
    }
    return E_NOINTERFACE;
}

} // namespace com_object_detail

// The interface table of an object: by default each interface it derives from, in order. An
// object that answers more (base interfaces) declares its own static InterfaceTable().
template <class Derived, class... Interfaces>
class ComInterfaces : public Interfaces... {
public:
    static std::span<const ComInterfaceEntry> InterfaceTable()
    {
        static const ComInterfaceEntry table[] = {ComInterface<Derived, Interfaces>()...};
        return table;
    }

protected:
    HRESULT QueryThroughTable(REFIID iid, void** result)
    {
        return com_object_detail::QueryFromTable(static_cast<Derived*>(this), Derived::InterfaceTable(), iid, result);
    }
};

// A COM object on the heap: it starts with one reference (its creator's), deletes itself when
// the last goes, and counts as a live object of ThisComModule() from construction to
// destruction. Make it with CreateComObject or MakeComObject.
template <class Derived, class... Interfaces>
class ComObject : public ComInterfaces<Derived, Interfaces...> {
public:
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    STDMETHODIMP QueryInterface(REFIID iid, void** result) override { return this->QueryThroughTable(iid, result); }
    STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
    STDMETHODIMP_(ULONG) Release() override
    {
        const ULONG remaining = --references_;
        if (remaining == 0)
            delete this;
        return remaining;
    }

protected:
    ComObject() noexcept { ThisComModule().ObjectCreated(); }
    virtual ~ComObject() { ThisComModule().ObjectDestroyed(); }

private:
    std::atomic<ULONG> references_{1};
};

// A COM object that its owner creates and destroys (the search module's one object lives as
// long as its process). References never delete it; while any is held it counts as a live
// object of ThisComModule(). Before the owner destroys it, Disconnect() cuts off the clients
// of other processes, whose stubs would otherwise call into freed memory.
template <class Derived, class... Interfaces>
class ComOwnedObject : public ComInterfaces<Derived, Interfaces...> {
public:
    ComOwnedObject(const ComOwnedObject&) = delete;
    ComOwnedObject& operator=(const ComOwnedObject&) = delete;

    STDMETHODIMP QueryInterface(REFIID iid, void** result) override { return this->QueryThroughTable(iid, result); }
    STDMETHODIMP_(ULONG) AddRef() override
    {
        const ULONG held = ++references_;
        if (held == 1)
            ThisComModule().ObjectCreated();
        return held;
    }
    STDMETHODIMP_(ULONG) Release() override
    {
        ULONG current = references_.load();
        // An unbalanced release must not take the module from under its other clients.
        while (current > 0 && !references_.compare_exchange_weak(current, current - 1)) {
        }
        if (current == 1)
            ThisComModule().ObjectDestroyed();
        return current == 0 ? 0 : current - 1;
    }

    ULONG References() const noexcept { return references_.load(); }

    // Releases every reference that other processes hold through COM's stubs; their next call
    // fails with a disconnection error. Call on the object's apartment thread.
    void Disconnect() noexcept
    {
        IUnknown* identity = nullptr;
        if (SUCCEEDED(this->QueryThroughTable(IID_IUnknown, reinterpret_cast<void**>(&identity)))) {
            ::CoDisconnectObject(identity, 0);
            identity->Release();
        }
    }

protected:
    ComOwnedObject() = default;
    ~ComOwnedObject() = default;

private:
    std::atomic<ULONG> references_{0};
};

// Takes over the one reference that a newly created object starts with. (mingw's
// ComPtr::Attach adds a reference of its own, so an object handed to it would never go.)
template <class T>
Microsoft::WRL::ComPtr<T> AdoptComObject(T* created) noexcept
{
    Microsoft::WRL::ComPtr<T> owner;
    *owner.GetAddressOf() = created;
    return owner;
}

// Makes a heap object and owns its first reference. Throws what the constructor throws.
template <class Object, class... Args>
Microsoft::WRL::ComPtr<Object> MakeComObject(Args&&... args)
{
    return AdoptComObject(new Object(std::forward<Args>(args)...));
}

// Makes a heap object and hands out the asked interface of it; the object goes when that is
// released (at once when the object lacks the interface). Throws what the constructor throws:
// call it inside a ComBoundary.
template <class Object, class... Args>
HRESULT CreateComObject(REFIID iid, void** result, Args&&... args)
{
    if (result == nullptr)
        return E_POINTER;
    *result = nullptr;
    Microsoft::WRL::ComPtr<Object> object = MakeComObject<Object>(std::forward<Args>(args)...);
    return object->QueryInterface(iid, result);
}
