#include "database/database_file_aside.h"

#include <windows.h>

#include <vector>

namespace {

constexpr const char* kCompanions[] = {"-wal", "-shm", "-journal"};

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

} // namespace

bool MoveDatabaseFileAside(const std::string& path, const std::string& aside, unsigned long& error)
{
    error = ERROR_SUCCESS;
    // The file itself first: any connection to it, in whatever process, keeps it from moving,
    // and then nothing has been touched.
    if (!::MoveFileExA(path.c_str(), aside.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        error = ::GetLastError();
        return false;
    }
    std::vector<std::string> moved;
    for (const char* suffix : kCompanions) {
        const std::string from = path + suffix;
        const std::string to = aside + suffix;
        bool done = true;
        if (Exists(from)) {
            done = ::MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
            if (done)
                moved.push_back(suffix);
        } else if (Exists(to)) {
            // It belonged to the copy just replaced and must not pass for this one's.
            done = ::DeleteFileA(to.c_str()) != FALSE;
        }
        if (!done) {
            error = ::GetLastError();
            for (auto companion = moved.rbegin(); companion != moved.rend(); ++companion)
                ::MoveFileExA((aside + *companion).c_str(), (path + *companion).c_str(), 0);
            ::MoveFileExA(aside.c_str(), path.c_str(), 0);
            return false;
        }
    }
    return true;
}
