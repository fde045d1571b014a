#pragma once

#include <objbase.h>
#include <ole2.h>

// The calling thread in a COM apartment for the lifetime of the object. A thread that already
// is in an apartment of the same kind is counted once more (S_FALSE) and balanced all the same;
// one of the other kind is left as it is (IsReady false).
class ComApartment {
public:
    explicit ComApartment(DWORD model = COINIT_APARTMENTTHREADED) noexcept
        : result_(::CoInitializeEx(nullptr, model))
    {
    }
    ~ComApartment()
    {
        if (SUCCEEDED(result_))
            ::CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    bool IsReady() const noexcept { return SUCCEEDED(result_); }
    HRESULT Result() const noexcept { return result_; }

private:
    HRESULT result_;
};

// The calling thread ready for OLE (clipboard, drag and drop) for the lifetime of the object:
// a single-threaded apartment with OLE's own set-up, balanced like ComApartment.
class OleApartment {
public:
    OleApartment() noexcept : result_(::OleInitialize(nullptr)) {}
    ~OleApartment()
    {
        if (SUCCEEDED(result_))
            ::OleUninitialize();
    }
    OleApartment(const OleApartment&) = delete;
    OleApartment& operator=(const OleApartment&) = delete;

    bool IsReady() const noexcept { return SUCCEEDED(result_); }
    HRESULT Result() const noexcept { return result_; }

private:
    HRESULT result_;
};
