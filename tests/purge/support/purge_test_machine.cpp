#include "purge_test_machine.h"

#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>

#include <stdexcept>

namespace {

const char* const kShellClassIds[] = {
    "{3E73F0E0-72FE-11D1-B008-00A0C98D47B7}", "{3E73FA00-72FE-11D1-B008-00A0C98D47B7}",
    "{3E73F0E1-72FE-11D1-B008-00A0C98D47B7}", "{3E73FA01-72FE-11D1-B008-00A0C98D47B7}"};
const char* const kOtherClassIds[] = {"{F1C329E0-C944-11D1-8AC7-00A0C9295F1E}",
                                      "{F1C32AA0-C944-11D1-8AC7-00A0C9295F1E}",
                                      "{F1C32AB0-C944-11D1-8AC7-00A0C9295F1E}"};
const char* const kInterfaceIds[] = {
    "{F1C329E0-C944-11D1-8AC7-00A0C9295F1E}", "{F1C32A00-C944-11D1-8AC7-00A0C9295F1E}",
    "{F1C32AB0-C944-11D1-8AC7-00A0C9295F1E}", "{F1C329E4-C944-11D1-8AC7-00A0C9295F1E}",
    "{F1C32AA0-C944-11D1-8AC7-00A0C9295F1E}", "{F1C32AB1-C944-11D1-8AC7-00A0C9295F1E}",
    "{F1C329EB-C944-11D1-8AC7-00A0C9295F1E}", "{F1C32AA1-C944-11D1-8AC7-00A0C9295F1E}",
    "{F1C32AB2-C944-11D1-8AC7-00A0C9295F1E}", "{F1C32AB3-C944-11D1-8AC7-00A0C9295F1E}"};
const char* const kRegistrationKeys[] = {
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\explorer\\mycomputer\\NameSpace",
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved",
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\ShellExtensions\\Approved",
    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ShellExtensions\\Approved"};
const char kUninstall[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const char kRun[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kInstallerCode[] = "{81908063-A630-11D3-B0DE-009027665B04}";
// Look-alikes: one digit off the suite's identifiers.
const char kOtherShellClassId[] = "{3E73F0E2-72FE-11D1-B008-00A0C98D47B7}";
const char kOtherInterfaceId[] = "{F1C329E1-C944-11D1-8AC7-00A0C9295F1E}";

std::string Join(const std::string& parent, const std::string& child) { return parent + "\\" + child; }

std::string MakeFolder(const TempDirectory& root, const std::string& name)
{
    const std::string path = root.File(name);
    if (!::CreateDirectoryA(path.c_str(), nullptr))
        throw std::runtime_error("cannot create " + path);
    return path;
}

} // namespace

PurgeTestMachine::PurgeTestMachine()
    : startup(MakeFolder(files_, "Startup")),
      commonStartup(MakeFolder(files_, "Common Startup")),
      programs(MakeFolder(files_, "Programs")),
      commonPrograms(MakeFolder(files_, "Common Programs")),
      desktop(MakeFolder(files_, "Desktop")),
      commonDesktop(MakeFolder(files_, "Common Desktop"))
{
}

FolderLocations PurgeTestMachine::Locations() const
{
    FolderLocations locations;
    locations.search = {startup, commonStartup, programs, commonPrograms, desktop, commonDesktop};
    locations.protectedFolders = ProtectedFolders::OfThisSystem();
    for (const std::string* folder : {&startup, &commonStartup, &programs, &commonPrograms, &desktop, &commonDesktop})
        locations.protectedFolders.Add(*folder);
    return locations;
}

void PurgeTestMachine::CreateKey(HKEY root, const std::string& path, const std::string& defaultValue)
{
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr))
        << path;
    if (!defaultValue.empty())
        ::RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(defaultValue.c_str()),
                         static_cast<DWORD>(defaultValue.size() + 1));
    ::RegCloseKey(key);
}

void PurgeTestMachine::SetString(HKEY root, const std::string& path, const std::string& name, const std::string& value)
{
    ASSERT_EQ(ERROR_SUCCESS, ::RegSetKeyValueA(root, path.c_str(), name.c_str(), REG_SZ, value.c_str(),
                                               static_cast<DWORD>(value.size() + 1)))
        << path << " " << name;
}

void PurgeTestMachine::CreateFolder(const std::string& path)
{
    ASSERT_EQ(0, ::SHCreateDirectoryExA(nullptr, path.c_str(), nullptr)) << path;
}

void PurgeTestMachine::CreateShortcut(const std::string& path)
{
    // A real shell link to the search module's program, as the installer makes it.
    const bool ownsCom = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    IShellLinkA* link = nullptr;
    ASSERT_EQ(S_OK, ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                       reinterpret_cast<void**>(&link)));
    link->SetPath(Path("Program Files\\Halvo\\Trawlex.exe").c_str());
    IPersistFile* file = nullptr;
    ASSERT_EQ(S_OK, link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)));
    wchar_t widePath[MAX_PATH];
    ::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, widePath, MAX_PATH);
    EXPECT_EQ(S_OK, file->Save(widePath, TRUE)) << path;
    file->Release();
    link->Release();
    if (ownsCom)
        ::CoUninitialize();
}

std::vector<std::string> PurgeTestMachine::InstalledKeys(HKEY root) const
{
    std::vector<std::string> keys;
    if (root == HKEY_CLASSES_ROOT) {
        for (const char* id : kShellClassIds)
            keys.push_back(Join("CLSID", id));
        for (const char* id : kOtherClassIds)
            keys.push_back(Join("CLSID", id));
        for (const char* id : kInterfaceIds)
            keys.push_back(Join("Interface", id));
    } else if (root == HKEY_CURRENT_USER) {
        keys.push_back("SOFTWARE\\Orvek Communications\\Tessaro Halvo");
    } else {
        keys.push_back("SOFTWARE\\Orvek Communications\\Tessaro Halvo");
        keys.push_back("SOFTWARE\\Zandor\\Tessaro Halvo");
        keys.push_back("SOFTWARE\\Zandor\\Ferrant");
        for (const char* registration : kRegistrationKeys) {
            for (const char* id : kShellClassIds)
                keys.push_back(Join(registration, id));
        }
        keys.push_back(Join(kUninstall, "ORVEK Tessaro Halvo"));
        keys.push_back(Join(kUninstall, "Zandor Ferrant"));
        keys.push_back(Join(kUninstall, kInstallerCode));
    }
    return keys;
}

std::vector<std::string> PurgeTestMachine::InstalledValueEntries() const
{
    std::vector<std::string> values = {std::string(kRun) + ":  ORVEK Tessaro Halvo"};
    for (const char* approved : {kRegistrationKeys[1], kRegistrationKeys[2]}) {
        for (const char* id : kShellClassIds)
            values.push_back(std::string(approved) + ":  " + id);
    }
    return values;
}

std::vector<std::string> PurgeTestMachine::InstalledPaths() const
{
    return {Path("Program Files\\Halvo"),
            Path("Program Files\\Zandor Ferrant"),
            Join(startup, "Trawlex.lnk"),
            Join(commonStartup, "Trawlex.lnk"),
            Join(commonPrograms, "Orvek Communications\\ORVEK Tessaro HALVO"),
            Join(programs, "Orvek Communications\\ORVEK Tessaro HALVO"),
            Join(commonPrograms, "ORVEK Tessaro HALVO"),
            Join(programs, "ORVEK Tessaro HALVO"),
            Join(commonPrograms, "Zandor Ferrant"),
            Join(programs, "Zandor Ferrant"),
            Join(commonDesktop, "Network Storage.lnk"),
            Join(commonDesktop, "ORVEK Tessaro Halvo.lnk"),
            Join(commonDesktop, "Zandor Ferrant.lnk"),
            Join(desktop, "Network Storage.lnk"),
            Join(desktop, "ORVEK Tessaro Halvo.lnk"),
            Join(desktop, "Zandor Ferrant.lnk"),
            Path("ProgramFiles\\InstallShield Installation Information\\") + kInstallerCode,
            Path("Client Setup")};
}

void PurgeTestMachine::InstallEverything()
{
    for (HKEY root : {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        for (const std::string& key : InstalledKeys(root))
            CreateKey(root, key, key.find("{3E73F0E0") != std::string::npos ? "Halvo Network Storage" : "");
    }
    for (const std::string& entry : InstalledValueEntries()) {
        const size_t colon = entry.rfind(':');
        SetString(HKEY_LOCAL_MACHINE, entry.substr(0, colon), entry.substr(colon + 3), "Halvo");
    }

    // The program folder is recorded under both product-info keys, once in another case.
    const std::string programFolder = Path("Program Files\\Halvo");
    std::string otherCase = programFolder;
    ::CharUpperBuffA(otherCase.data(), static_cast<DWORD>(otherCase.size()));
    SetString(HKEY_CLASSES_ROOT, Join(Join("CLSID", kShellClassIds[0]), "NSProductInfo"), "Program Path", programFolder);
    SetString(HKEY_CLASSES_ROOT, Join(Join("CLSID", kShellClassIds[1]), "NSProductInfo"), "Program Path", otherCase + "\\");
    SetString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Orvek Communications\\Tessaro Halvo", "Program Path", programFolder);
    SetString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Zandor\\Ferrant", "Program Path", Path("Program Files\\Zandor Ferrant"));
    SetString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir", Path("ProgramFiles"));
    SetString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Orvek Communications", "Client Setup Location", Path("Client Setup"));

    for (const std::string& path : InstalledPaths()) {
        if (path.size() > 4 && path.compare(path.size() - 4, 4, ".lnk") == 0) {
            CreateShortcut(path);
        } else {
            CreateFolder(path);
            CreateShortcut(Join(path, "Readme.lnk"));
        }
    }
    InstallDecoys();
}

std::vector<std::string> PurgeTestMachine::DecoyKeys(HKEY root) const
{
    if (root == HKEY_CLASSES_ROOT)
        return {Join("CLSID", kOtherShellClassId), Join("Interface", kOtherInterfaceId), "CLSID\\Tessaro Halvo"};
    if (root == HKEY_CURRENT_USER)
        return {"SOFTWARE\\Orvek Communications\\Other Product", "SOFTWARE\\Other Vendor\\Tessaro Halvo"};
    return {"SOFTWARE\\Zandor\\Other Product", "SOFTWARE\\Other Vendor\\Tessaro Halvo",
            Join(kRegistrationKeys[0], kOtherShellClassId), Join(kUninstall, "Other Program"),
            Join(kUninstall, "{81908063-A630-11D3-B0DE-009027665B05}")};
}

std::vector<std::string> PurgeTestMachine::DecoyValueEntries() const
{
    return {std::string(kRun) + ":  Other Program", std::string(kRegistrationKeys[1]) + ":  " + kOtherShellClassId,
            // Values under the Windows NT key are not the suite's to remove.
            std::string(kRegistrationKeys[3]) + ":  " + kShellClassIds[0]};
}

std::vector<std::string> PurgeTestMachine::DecoyPaths() const
{
    return {Path("Other Program"),
            Join(startup, "Other.lnk"),
            Join(desktop, "Trawlex.lnk"),
            Join(programs, "Orvek Communications\\Other Program"),
            Path("ProgramFiles\\InstallShield Installation Information\\{81908063-A630-11D3-B0DE-009027665B05}")};
}

void PurgeTestMachine::InstallDecoys()
{
    for (HKEY root : {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        for (const std::string& key : DecoyKeys(root))
            CreateKey(root, key, "Not the suite");
    }
    for (const std::string& entry : DecoyValueEntries()) {
        const size_t colon = entry.rfind(':');
        SetString(HKEY_LOCAL_MACHINE, entry.substr(0, colon), entry.substr(colon + 3), "Other");
    }
    // A program path recorded by another program is no concern of the purge.
    SetString(HKEY_CLASSES_ROOT, Join(Join("CLSID", kOtherShellClassId), "NSProductInfo"), "Program Path",
              Path("Other Program"));
    for (const std::string& path : DecoyPaths()) {
        if (path.size() > 4 && path.compare(path.size() - 4, 4, ".lnk") == 0)
            CreateShortcut(path);
        else
            CreateFolder(path);
    }
}

std::vector<ReportLine> PurgeTestMachine::FullReport() const
{
    std::vector<ReportLine> report = {{"*** Registry keys and values ***", ""}, {"", ""}, {"[HKEY_CLASSES_ROOT]", ""}};
    auto addKeys = [&](HKEY root) {
        for (const std::string& key : InstalledKeys(root))
            report.push_back({key, key.find("{3E73F0E0") != std::string::npos ? "Halvo Network Storage" : ""});
        report.push_back({"", ""});
    };
    addKeys(HKEY_CLASSES_ROOT);
    report.push_back({"[HKEY_CURRENT_USER]", ""});
    addKeys(HKEY_CURRENT_USER);
    report.push_back({"[HKEY_LOCAL_MACHINE]", ""});
    addKeys(HKEY_LOCAL_MACHINE);
    for (const std::string& value : InstalledValueEntries())
        report.push_back({value, "String Value"});
    report.push_back({"", ""});
    report.push_back({"", ""});
    report.push_back({"============================================================", ""});
    report.push_back({"", ""});
    report.push_back({"*** Files and folders ***", ""});
    report.push_back({"", ""});
    for (const std::string& path : InstalledPaths()) {
        const bool isFile = path.compare(path.size() - 4, 4, ".lnk") == 0;
        report.push_back({path, isFile ? "File" : "Folder"});
    }
    report.push_back({"", ""});
    return report;
}

bool KeyExists(HKEY root, const std::string& path)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(key);
    return true;
}

bool ValueEntryExists(HKEY root, const std::string& entry)
{
    const size_t colon = entry.rfind(':');
    return ::RegGetValueA(root, entry.substr(0, colon).c_str(), entry.substr(colon + 3).c_str(), RRF_RT_ANY, nullptr,
                          nullptr, nullptr) == ERROR_SUCCESS;
}
