#pragma once

#include "folder_locations.h"
#include "purge_report.h"

#include "support/registry_sandbox.h"
#include "support/temp_directory.h"

#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

// Report lines in test failures as text.
inline void PrintTo(const ReportLine& line, std::ostream* out)
{
    *out << "{\"" << line.name << "\", \"" << line.comment << "\"}";
}

// A machine for the purge tool: the registry roots redirected to scratch keys, and the shell
// folders it looks into made as scratch folders. Starts with none of the suite's data.
class PurgeTestMachine {
    // First, so that the folders below can be made in them.
    RegistrySandbox sandbox_;
    TempDirectory files_;

public:
    PurgeTestMachine();

    // Where the search looks; the scratch shell folders are protected like the real ones.
    FolderLocations Locations() const;
    const std::string& Root() const { return files_.Path(); }
    // The scratch folder's own name, found in no path but this machine's.
    std::string RootName() const { return Root().substr(Root().rfind('\\') + 1); }
    std::string Path(const std::string& relative) const { return files_.File(relative); }

    void CreateKey(HKEY root, const std::string& path, const std::string& defaultValue = std::string());
    void SetString(HKEY root, const std::string& path, const std::string& name, const std::string& value);
    void CreateFolder(const std::string& path);
    void CreateShortcut(const std::string& path);

    // Every key, value, shortcut and folder that the purge looks for, and look-alikes that it
    // must leave alone.
    void InstallEverything();
    void InstallDecoys();

    // The list the search shows for a machine with everything installed.
    std::vector<ReportLine> FullReport() const;
    // Everything InstallEverything() wrote, by place.
    std::vector<std::string> InstalledKeys(HKEY root) const;
    std::vector<std::string> InstalledValueEntries() const; // "key:  name" below HKLM
    std::vector<std::string> InstalledPaths() const;
    std::vector<std::string> DecoyKeys(HKEY root) const;
    std::vector<std::string> DecoyValueEntries() const;
    std::vector<std::string> DecoyPaths() const;

    // The scratch shell folders.
    const std::string startup, commonStartup, programs, commonPrograms, desktop, commonDesktop;
};

bool KeyExists(HKEY root, const std::string& path);
// entry: "key:  name" as the report lists it.
bool ValueEntryExists(HKEY root, const std::string& entry);
