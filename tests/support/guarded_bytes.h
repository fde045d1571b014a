#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <shtypes.h>

#include <cstdint>
#include <cstring>
#include <vector>

// Bytes placed at the very end of a readable page that is followed by an inaccessible one, so
// that any read past them faults: for code that reads bytes it did not write.
class GuardedBytes {
public:
    explicit GuardedBytes(const std::vector<std::uint8_t>& bytes)
    {
        SYSTEM_INFO info;
        ::GetSystemInfo(&info);
        page_ = info.dwPageSize;
        base_ = static_cast<std::uint8_t*>(::VirtualAlloc(nullptr, 2 * page_, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
        DWORD old = 0;
        if (!base_ || !::VirtualProtect(base_ + page_, page_, PAGE_NOACCESS, &old) || bytes.size() > page_) {
            ADD_FAILURE() << "cannot set up a guard page";
            return;
        }
        data_ = base_ + page_ - bytes.size();
        std::memcpy(data_, bytes.data(), bytes.size());
        size_ = bytes.size();
    }
    ~GuardedBytes()
    {
        if (base_)
            ::VirtualFree(base_, 0, MEM_RELEASE);
    }
    GuardedBytes(const GuardedBytes&) = delete;
    GuardedBytes& operator=(const GuardedBytes&) = delete;

    const std::uint8_t* Data() const { return data_; }
    const char* Text() const { return reinterpret_cast<const char*>(data_); }
    LPCITEMIDLIST List() const { return reinterpret_cast<LPCITEMIDLIST>(data_); }
    std::size_t Size() const { return size_; }

private:
    std::uint8_t* base_ = nullptr;
    std::uint8_t* data_ = nullptr;
    std::size_t page_ = 0;
    std::size_t size_ = 0;
};
