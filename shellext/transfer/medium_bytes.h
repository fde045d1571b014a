#pragma once

#include <windows.h>
#include <objidl.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// Bytes in and out of the storage media that data objects hand about.

// A new medium holding bytes: global memory when tymeds allows it, else a stream over global
// memory whose size is exactly the bytes' (read from its start). DV_E_TYMED when tymeds allows
// neither, E_OUTOFMEMORY when the memory cannot be had. The receiver releases the medium.
HRESULT PutBytesInMedium(const std::vector<std::uint8_t>& bytes, DWORD tymeds, STGMEDIUM& medium);

// What stream holds from its start, read in steps until a read comes back short; none when
// seeking or reading fails (failure says how, and which call in failedCall) or when it holds
// more than limit bytes.
struct StreamReadFailure {
    const char* failedCall = nullptr;   // "Seek()" or "Read()"; null when the limit was passed
    HRESULT result = S_OK;
};
std::optional<std::vector<std::uint8_t>> ReadWholeStream(IStream& stream, std::size_t limit,
                                                         StreamReadFailure& failure);

// The drop effect a medium handed in carries ("Performed DropEffect", "Paste Succeeded"): a
// DWORD at the start of global memory; none for any other medium or a shorter one.
std::optional<DWORD> DropEffectInMedium(const STGMEDIUM& medium);

// A new medium (global memory) carrying a drop effect, to be handed to a data object.
HRESULT PutDropEffectInMedium(DWORD effect, STGMEDIUM& medium);
