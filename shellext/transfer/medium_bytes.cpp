#include "transfer/medium_bytes.h"

#include <wrl/client.h>

#include <cstring>
#include <utility>

using Microsoft::WRL::ComPtr;

namespace {

// Readers grow their buffer by this much at a time.
constexpr std::size_t kReadStep = 1024;

// Owns global memory until it is handed over.
class GlobalMemory {
public:
    explicit GlobalMemory(std::size_t size) : memory_(::GlobalAlloc(GMEM_MOVEABLE, size ? size : 1)) {}
    ~GlobalMemory()
    {
        if (memory_)
            ::GlobalFree(memory_);
    }
    GlobalMemory(const GlobalMemory&) = delete;
    GlobalMemory& operator=(const GlobalMemory&) = delete;

    HGLOBAL Get() const { return memory_; }
    HGLOBAL Release() { return std::exchange(memory_, nullptr); }

private:
    HGLOBAL memory_;
};

HRESULT PutInGlobalMemory(const std::vector<std::uint8_t>& bytes, STGMEDIUM& medium)
{
    GlobalMemory memory(bytes.size());
    if (!memory.Get())
        return E_OUTOFMEMORY;
    void* at = ::GlobalLock(memory.Get());
    if (!at)
        return E_OUTOFMEMORY;
    if (!bytes.empty())
        std::memcpy(at, bytes.data(), bytes.size());
    ::GlobalUnlock(memory.Get());
    medium.tymed = TYMED_HGLOBAL;
    medium.hGlobal = memory.Release();
    medium.pUnkForRelease = nullptr;
    return S_OK;
}

HRESULT PutInStream(const std::vector<std::uint8_t>& bytes, STGMEDIUM& medium)
{
    // A stream made over memory of our own would take the allocation's size, which the system
    // may round up; written into, it has the size of what was written.
    ComPtr<IStream> stream;
    HRESULT result = ::CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    if (FAILED(result))
        return result;
    ULONG written = 0;
    result = stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
    if (FAILED(result))
        return result;
    if (written != bytes.size())
        return STG_E_MEDIUMFULL;
    const LARGE_INTEGER start{};
    result = stream->Seek(start, STREAM_SEEK_SET, nullptr);
    if (FAILED(result))
        return result;
    medium.tymed = TYMED_ISTREAM;
    medium.pstm = stream.Detach();
    medium.pUnkForRelease = nullptr;
    return S_OK;
}

} // namespace

HRESULT PutBytesInMedium(const std::vector<std::uint8_t>& bytes, DWORD tymeds, STGMEDIUM& medium)
{
    if (bytes.size() > MAXLONG)
        return E_OUTOFMEMORY;
    if (tymeds & TYMED_HGLOBAL)
        return PutInGlobalMemory(bytes, medium);
    if (tymeds & TYMED_ISTREAM)
        return PutInStream(bytes, medium);
    return DV_E_TYMED;
}

std::optional<std::vector<std::uint8_t>> ReadWholeStream(IStream& stream, std::size_t limit,
                                                         StreamReadFailure& failure)
{
    failure = {};
    const LARGE_INTEGER start{};
    HRESULT result = stream.Seek(start, STREAM_SEEK_SET, nullptr);
    if (FAILED(result)) {
        failure = {"Seek()", result};
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes;
    for (;;) {
        const std::size_t held = bytes.size();
        bytes.resize(held + kReadStep);
        ULONG read = 0;
        result = stream.Read(bytes.data() + held, static_cast<ULONG>(kReadStep), &read);
        if (FAILED(result)) {
            failure = {"Read()", result};
            return std::nullopt;
        }
        bytes.resize(held + (read < kReadStep ? read : kReadStep));
        if (bytes.size() > limit)
            return std::nullopt;
        if (read < kReadStep)
            return bytes;
    }
}

std::optional<DWORD> DropEffectInMedium(const STGMEDIUM& medium)
{
    if (medium.tymed != TYMED_HGLOBAL || !medium.hGlobal || ::GlobalSize(medium.hGlobal) < sizeof(DWORD))
        return std::nullopt;
    const void* at = ::GlobalLock(medium.hGlobal);
    if (!at)
        return std::nullopt;
    DWORD effect = 0;
    std::memcpy(&effect, at, sizeof effect);
    ::GlobalUnlock(medium.hGlobal);
    return effect;
}

HRESULT PutDropEffectInMedium(DWORD effect, STGMEDIUM& medium)
{
    std::vector<std::uint8_t> bytes(sizeof effect);
    std::memcpy(bytes.data(), &effect, sizeof effect);
    return PutInGlobalMemory(bytes, medium);
}
