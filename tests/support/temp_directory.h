#pragma once

#include <string>

// A fresh folder under the Windows temporary folder, removed with everything in it.
class TempDirectory {
public:
    TempDirectory();
    ~TempDirectory();
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

// The whole content of a file; empty when it cannot be read.
std::string ReadWholeFile(const std::string& path);
// Replaces the content of a file (making it when missing); false when it cannot be written.
bool WriteWholeFile(const std::string& path, const std::string& content);
bool FileExists(const std::string& path);
