#include "base/file_content.h"

#include "base/scoped_handle.h"

#include <algorithm>
#include <atomic>
#include <cstdio>

namespace {

// A reader on another machine holds the file for a moment now and then: its replacement waits
// that long instead of failing.
constexpr int kReplaceAttempts = 5;
constexpr DWORD kReplaceRetryMs = 100;

std::atomic<unsigned> g_temporaryCount{0};

// Beside the file, and unique among the writers of every machine that share the folder as far
// as process and count make it so; CREATE_NEW refuses the rare rest.
std::string TemporaryNameFor(const std::string& path)
{
    char suffix[40];
    std::snprintf(suffix, sizeof suffix, ".%lx-%x-%lx.tmp", static_cast<unsigned long>(::GetCurrentProcessId()),
                  ++g_temporaryCount, static_cast<unsigned long>(::GetTickCount()));
    return path + suffix;
}

bool WriteAll(HANDLE file, const std::string& content)
{
    std::size_t written = 0;
    while (written < content.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(content.size() - written, 1u << 20));
        DWORD done = 0;
        if (!::WriteFile(file, content.data() + written, chunk, &done, nullptr) || done == 0)
            return false;
        written += done;
    }
    return true;
}

bool MoveOver(const std::string& from, const std::string& to)
{
    for (int attempt = 1;; ++attempt) {
        if (::MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING))
            return true;
        const DWORD error = ::GetLastError();
        if (error == ERROR_CALL_NOT_IMPLEMENTED) {
            // Windows 95/98: no replacing move, so the old file goes just before the new takes its name.
            ::DeleteFileA(to.c_str());
            return ::MoveFileA(from.c_str(), to.c_str()) != FALSE;
        }
        if ((error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED) || attempt == kReplaceAttempts)
            return false;
        ::Sleep(kReplaceRetryMs);
    }
}

} // namespace

std::optional<std::string> ReadFileContent(const std::string& path, std::size_t maxBytes)
{
    const ScopedFile file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return std::nullopt;
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.Get(), &size))
        return std::nullopt;
    if (size.QuadPart < 0 || static_cast<unsigned long long>(size.QuadPart) > maxBytes) {
        ::SetLastError(ERROR_FILE_TOO_LARGE);
        return std::nullopt;
    }
    std::string content(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t read = 0;
    while (read < content.size()) {
        DWORD done = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(content.size() - read, 1u << 20));
        if (!::ReadFile(file.Get(), content.data() + read, chunk, &done, nullptr))
            return std::nullopt;
        if (done == 0)
            break;   // it became shorter while being read
        read += done;
    }
    content.resize(read);
    return content;
}

bool ReplaceFileContent(const std::string& path, const std::string& content)
{
    // A read-only file is not replaced: Windows refuses to move another file over it, and the
    // same must hold where the move alone would not (Wine).
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        ::SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    const std::string temporary = TemporaryNameFor(path);
    bool written = false;
    {
        const ScopedFile file(::CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file)
            return false;
        written = WriteAll(file.Get(), content);
    }
    if (written && MoveOver(temporary, path))
        return true;
    const DWORD error = ::GetLastError();
    ::DeleteFileA(temporary.c_str());
    ::SetLastError(error);
    return false;
}
