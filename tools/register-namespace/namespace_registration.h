#pragma once

#include <string>

// What Explorer needs to load the namespace extension from its library.
struct NamespaceRegistration {
    std::string ClassId;       // "{...}", the namespace class of the branding library
    std::string DisplayName;   // the namespace's name under My Computer
    std::string LibraryPath;   // full path of the extension library
    std::string Version;       // the version being installed
    std::string ProductTitle;
    std::string DefaultIcon;   // "library,index": the namespace's icon before its library loads
};

// What hosts read of the root before they load the library: it is a folder with sub-folders.
constexpr unsigned long kNamespaceRootAttributes = 0x20000000UL | 0x80000000UL;   // FOLDER | HASSUBFOLDER

// Both throw RegKeyException when the registry refuses.
// A version already recorded that is the same or later stays; returns the version recorded.
std::string WriteNamespaceRegistration(const NamespaceRegistration& registration);
// Removes what WriteNamespaceRegistration wrote; entries already gone are no error.
void RemoveNamespaceRegistration(const std::string& classId);
