#include "provider_settings.h"

#include <windows.h>

#include <mutex>
#include <optional>

#include "base/scoped_handle.h"

namespace simnet {
namespace {

// Larger files are refused: even a network of thousands of shares stays far below.
constexpr DWORD kMaxDescriptionSize = 16 * 1024 * 1024;

std::optional<std::wstring> ReadString(const wchar_t* key, const wchar_t* value)
{
    wchar_t buffer[1024];
    DWORD size = sizeof(buffer);
    // REG_EXPAND_SZ values come back expanded.
    if (RegGetValueW(HKEY_LOCAL_MACHINE, key, value, RRF_RT_REG_SZ, nullptr,
                     buffer, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(buffer);
}

void ReportRefusedLines(const NetworkDescription& description, const std::wstring& path)
{
    for (const RefusedLine& refused : description.Refused()) {
        std::wstring text = L"SimNet: " + path + L" line " + std::to_wstring(refused.lineNumber) + L" refused: ";
        text.append(refused.reason.begin(), refused.reason.end());  // reasons are ASCII
        OutputDebugStringW((text + L"\n").c_str());
    }
}

// Which file, and which version of it, a description was read from.
struct FileStamp {
    std::wstring path;
    DWORD sizeHigh = 0;
    DWORD sizeLow = 0;
    FILETIME written{};

    bool operator==(const FileStamp& other) const noexcept
    {
        return path == other.path && sizeHigh == other.sizeHigh && sizeLow == other.sizeLow &&
               CompareFileTime(&written, &other.written) == 0;
    }
};

std::optional<FileStamp> StampOf(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &attributes)) return std::nullopt;
    return FileStamp{path, attributes.nFileSizeHigh, attributes.nFileSizeLow, attributes.ftLastWriteTime};
}

std::optional<NetworkDescription> ReadDescription(const std::wstring& path)
{
    ScopedFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid()) return std::nullopt;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart > kMaxDescriptionSize) return std::nullopt;
    std::string text(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!text.empty() && (!ReadFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &read, nullptr) ||
                          read != text.size()))
        return std::nullopt;
    NetworkDescription description = NetworkDescription::Parse(text);
    ReportRefusedLines(description, path);
    return description;
}

}  // namespace

std::wstring ProviderName()
{
    return ReadString(kNetworkProviderKey, L"Name").value_or(L"Microsoft Windows Network");
}

std::shared_ptr<const NetworkDescription> CurrentNetworkDescription()
{
    static std::mutex mutex;
    static FileStamp loadedStamp;
    static std::shared_ptr<const NetworkDescription> loaded;

    std::optional<std::wstring> path = ReadString(kParametersKey, kDescriptionFileValue);
    if (!path) return nullptr;
    // Taken before reading: a change made meanwhile is seen at the next call.
    std::optional<FileStamp> stamp = StampOf(*path);
    if (!stamp) return nullptr;
    std::lock_guard lock(mutex);
    if (loaded && loadedStamp == *stamp) return loaded;
    std::optional<NetworkDescription> description = ReadDescription(*path);
    if (!description) return nullptr;
    loaded = std::make_shared<const NetworkDescription>(std::move(*description));
    loadedStamp = std::move(*stamp);
    return loaded;
}

}  // namespace simnet
