#pragma once

#include <wrl/client.h>

// Takes over the one reference that a newly created COM object starts with. mingw's
// ComPtr::Attach adds a reference of its own, so an object handed to it would never be freed.
template <class T>
Microsoft::WRL::ComPtr<T> AdoptComObject(T* created)
{
    Microsoft::WRL::ComPtr<T> owner;
    *owner.GetAddressOf() = created;
    return owner;
}
