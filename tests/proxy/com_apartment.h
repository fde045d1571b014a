#pragma once

#include <objbase.h>

#include <stdexcept>

// The calling thread as a single-threaded COM apartment for the lifetime of the object.
class ComApartment {
public:
    ComApartment()
    {
        if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
            throw std::runtime_error("COM could not be initialised");
    }
    ~ComApartment() { ::CoUninitialize(); }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
};
