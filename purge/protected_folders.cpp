#include "protected_folders.h"

#include "shell_folder.h"

#include <windows.h>
#include <shlobj.h>
#include <userenv.h>

#include <algorithm>
#include <vector>

namespace {

bool IsLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// "C:\..." or "\\server\share..." with both names present.
bool HasAbsoluteForm(const std::string& path)
{
    if (path.size() >= 3 && IsLetter(path[0]) && path[1] == ':' && path[2] == '\\')
        return true;
    if (path.size() < 5 || path.compare(0, 2, "\\\\") != 0)
        return false;
    // Device and long-path prefixes ("\\?\", "\\.\") are not plain paths.
    if (path[2] == '?' || path[2] == '.')
        return false;
    const size_t serverEnd = path.find('\\', 2);
    return serverEnd != std::string::npos && serverEnd > 2 && serverEnd + 1 < path.size() &&
           path[serverEnd + 1] != '\\';
}

std::optional<std::string> FullPath(const std::string& path)
{
    std::vector<char> buffer(MAX_PATH);
    for (int attempt = 0; attempt < 2; ++attempt) {
        const DWORD length = ::GetFullPathNameA(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
        if (length == 0)
            return std::nullopt;
        if (length < buffer.size())
            return std::string(buffer.data(), length);
        buffer.resize(length + 1);
    }
    return std::nullopt;
}

std::string LongPath(const std::string& path)
{
    const DWORD length = ::GetLongPathNameA(path.c_str(), nullptr, 0);
    if (length == 0)
        return path; // a path that does not exist keeps its form
    std::vector<char> buffer(length + 1);
    const DWORD written = ::GetLongPathNameA(path.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (written == 0 || written >= buffer.size())
        return path;
    return std::string(buffer.data(), written);
}

// Characters that make the shell's file operation read a pattern, a stream or a device
// instead of one plain file or folder.
bool HasSpecialCharacters(const std::string& path)
{
    if (path.find_first_of("*?\"<>|") != std::string::npos)
        return true;
    return path.find(':', 2) != std::string::npos;
}

// Windows drops trailing dots and spaces from names, so "C:\Windows." is the Windows folder.
bool HasNameEndingInDotOrSpace(const std::string& path)
{
    size_t end = path.size();
    while (end > 0) {
        const size_t start = path.rfind('\\', end - 1);
        const size_t nameStart = start == std::string::npos ? 0 : start + 1;
        if (end > nameStart && (path[end - 1] == '.' || path[end - 1] == ' '))
            return true;
        if (start == std::string::npos)
            break;
        end = start;
    }
    return false;
}

// The length of the root: "C:\" or "\\server\share".
size_t RootLength(const std::string& path)
{
    if (path[0] != '\\')
        return 3;
    const size_t shareEnd = path.find('\\', path.find('\\', 2) + 1);
    return shareEnd == std::string::npos ? path.size() : shareEnd;
}

std::string UpperCase(std::string text)
{
    if (!text.empty())
        ::CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

std::optional<std::string> ComparableForm(const std::string& path)
{
    std::optional<std::string> normalised = NormalisedAbsolutePath(path);
    if (normalised)
        *normalised = UpperCase(*normalised);
    return normalised;
}

// True when folder is the same as other or contains it (both in comparable form).
bool IsSameOrAncestor(const std::string& folder, const std::string& other)
{
    if (other.size() < folder.size() || other.compare(0, folder.size(), folder) != 0)
        return false;
    return other.size() == folder.size() || folder.back() == '\\' || other[folder.size()] == '\\';
}

const int kSystemFolders[] = {
    CSIDL_WINDOWS, CSIDL_SYSTEM, CSIDL_SYSTEMX86, CSIDL_FONTS, CSIDL_PROGRAM_FILES, CSIDL_PROGRAM_FILESX86,
    CSIDL_PROGRAM_FILES_COMMON, CSIDL_PROGRAM_FILES_COMMONX86, CSIDL_COMMON_APPDATA, CSIDL_COMMON_DOCUMENTS,
    CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_COMMON_STARTMENU, CSIDL_COMMON_PROGRAMS, CSIDL_COMMON_STARTUP,
    CSIDL_COMMON_TEMPLATES, CSIDL_COMMON_FAVORITES, CSIDL_COMMON_ADMINTOOLS, CSIDL_COMMON_MUSIC,
    CSIDL_COMMON_PICTURES, CSIDL_COMMON_VIDEO};

const int kUserFolders[] = {
    CSIDL_PROFILE, CSIDL_DESKTOPDIRECTORY, CSIDL_PERSONAL, CSIDL_MYMUSIC, CSIDL_MYPICTURES, CSIDL_MYVIDEO,
    CSIDL_FAVORITES, CSIDL_STARTMENU, CSIDL_PROGRAMS, CSIDL_STARTUP, CSIDL_APPDATA, CSIDL_LOCAL_APPDATA,
    CSIDL_TEMPLATES, CSIDL_SENDTO, CSIDL_RECENT, CSIDL_NETHOOD, CSIDL_PRINTHOOD, CSIDL_COOKIES,
    CSIDL_INTERNET_CACHE, CSIDL_HISTORY, CSIDL_ADMINTOOLS, CSIDL_CDBURN_AREA};

std::string ProfilesFolder()
{
    char path[MAX_PATH] = {};
    DWORD size = sizeof path;
    if (::GetProfilesDirectoryA(path, &size))
        return path;
    // Without the profile service, the folder that holds this user's profile.
    const std::string profile = ShellFolderPath(CSIDL_PROFILE);
    const size_t separator = profile.rfind('\\');
    return separator == std::string::npos ? std::string() : profile.substr(0, separator);
}

} // namespace

std::optional<std::string> NormalisedAbsolutePath(const std::string& path)
{
    std::string candidate = path;
    std::replace(candidate.begin(), candidate.end(), '/', '\\');
    if (!HasAbsoluteForm(candidate))
        return std::nullopt;
    if (HasSpecialCharacters(candidate))
        return std::nullopt;
    // Resolves "." and ".." and short names, so that no spelling reaches a protected folder.
    const std::optional<std::string> full = FullPath(candidate);
    if (!full)
        return std::nullopt;
    candidate = LongPath(*full);
    if (!HasAbsoluteForm(candidate) || HasSpecialCharacters(candidate))
        return std::nullopt;
    const size_t rootLength = RootLength(candidate);
    while (candidate.size() > rootLength && candidate.back() == '\\')
        candidate.pop_back();
    if (HasNameEndingInDotOrSpace(candidate.substr(rootLength)))
        return std::nullopt;
    return candidate;
}

void ProtectedFolders::Add(const std::string& folder)
{
    if (std::optional<std::string> comparable = ComparableForm(folder))
        folders_.push_back(*comparable);
}

void ProtectedFolders::SetProfilesFolder(const std::string& folder, const std::vector<std::string>& standardFolders)
{
    profilesFolder_ = ComparableForm(folder).value_or(std::string());
    profileStandardFolders_.clear();
    for (const std::string& relative : standardFolders) {
        std::string upper = UpperCase(relative);
        while (!upper.empty() && upper.back() == '\\')
            upper.pop_back();
        if (!upper.empty())
            profileStandardFolders_.push_back(upper);
    }
}

bool ProtectedFolders::Protects(const std::string& path) const
{
    const std::optional<std::string> candidate = ComparableForm(path);
    if (!candidate || candidate->size() <= RootLength(*candidate))
        return true;
    for (const std::string& folder : folders_) {
        if (IsSameOrAncestor(*candidate, folder))
            return true;
    }
    if (profilesFolder_.empty())
        return false;
    if (IsSameOrAncestor(*candidate, profilesFolder_))
        return true;
    if (!IsSameOrAncestor(profilesFolder_, *candidate))
        return false;
    // Inside the profiles folder: the profile itself, or what it holds.
    const std::string inProfiles = candidate->substr(profilesFolder_.size() + 1);
    const size_t profileEnd = inProfiles.find('\\');
    if (profileEnd == std::string::npos)
        return true;
    const std::string inProfile = inProfiles.substr(profileEnd + 1);
    return std::any_of(profileStandardFolders_.begin(), profileStandardFolders_.end(),
                       [&](const std::string& standard) { return IsSameOrAncestor(inProfile, standard); });
}

ProtectedFolders ProtectedFolders::OfThisSystem()
{
    ProtectedFolders folders;
    char path[MAX_PATH];
    if (::GetWindowsDirectoryA(path, sizeof path))
        folders.Add(path);
    if (::GetSystemDirectoryA(path, sizeof path))
        folders.Add(path);
    if (::GetSystemWow64DirectoryA(path, sizeof path))
        folders.Add(path);
    if (::GetTempPathA(sizeof path, path))
        folders.Add(path);
    for (int csidl : kSystemFolders)
        folders.Add(ShellFolderPath(csidl));

    const std::string profile = ComparableForm(ShellFolderPath(CSIDL_PROFILE)).value_or(std::string());
    std::vector<std::string> standardInProfile;
    for (int csidl : kUserFolders) {
        const std::string folder = ShellFolderPath(csidl);
        folders.Add(folder);
        const std::optional<std::string> comparable = ComparableForm(folder);
        if (!profile.empty() && comparable && comparable->size() > profile.size() &&
            IsSameOrAncestor(profile, *comparable))
            standardInProfile.push_back(comparable->substr(profile.size() + 1));
    }
    // The temporary folder is a standard part of every profile as well.
    if (::GetTempPathA(sizeof path, path)) {
        const std::optional<std::string> temp = ComparableForm(path);
        if (!profile.empty() && temp && temp->size() > profile.size() && IsSameOrAncestor(profile, *temp))
            standardInProfile.push_back(temp->substr(profile.size() + 1));
    }
    folders.SetProfilesFolder(ProfilesFolder(), standardInProfile);
    return folders;
}
