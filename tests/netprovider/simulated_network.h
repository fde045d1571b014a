// Helpers of the simulated network tests: what mpr lists and a drive letter mapped for a test.
#pragma once

#include <windows.h>
#include <winnetwk.h>

#include <string>
#include <vector>

struct ListedResource {
    std::string remoteName;
    std::string comment;
    std::string provider;
    DWORD type;
    DWORD displayType;
    DWORD usage;
};

// The children of a container (nullptr: the providers). Fails the test on an API error.
std::vector<ListedResource> ListChildren(const ListedResource* container);
// The error WNetOpenEnumA gives for a container, NO_ERROR when it opens.
DWORD OpenEnumError(const std::string& remoteName, DWORD displayType);
std::vector<std::string> RemoteNames(const std::vector<ListedResource>& resources);

// A drive letter no drive uses; 0 when there is none.
char FreeDriveLetter();

// Maps a letter for the length of a test and unmaps it at the end, whatever the test did.
class MappedDrive {
public:
    MappedDrive(char letter, const std::string& remoteName);
    ~MappedDrive();
    MappedDrive(const MappedDrive&) = delete;
    MappedDrive& operator=(const MappedDrive&) = delete;

    DWORD Result() const { return result_; }
    std::string Root() const { return std::string(1, letter_) + ":\\"; }
    std::string LocalName() const { return std::string(1, letter_) + ":"; }

private:
    char letter_;
    DWORD result_;
};

DWORD AddConnection(const std::string& localName, const std::string& remoteName);

// Points the provider at another description file until the end of the test.
class DescriptionOverride {
public:
    explicit DescriptionOverride(const std::string& path);
    ~DescriptionOverride();
    DescriptionOverride(const DescriptionOverride&) = delete;
    DescriptionOverride& operator=(const DescriptionOverride&) = delete;

private:
    std::string previous_;
};
