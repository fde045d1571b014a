#include "module_session.h"

#include "base/module_path.h"
#include "base/scoped_handle.h"
#include "com/com_apartment.h"
#include "com/com_object.h"
#include "registry/registry.h"
#include "resources/branding_ids.h"
#include "resources/resources.h"
#include "settings/auxiliary.h"
#include "text/ansi_text.h"

#include "explorer_driver.h"
#include "support/branding_loaded.h"

#include <tlhelp32.h>

#include <cstdlib>
#include <regex>

using Microsoft::WRL::ComPtr;

namespace {

constexpr DWORD kWindowTimeoutMs = 20000;

// Calls use with each running module process, opened with the given access.
void ForEachModuleProcess(DWORD access, const std::function<void(HANDLE)>& use)
{
    const HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32First(snapshot, &entry); more; more = ::Process32Next(snapshot, &entry)) {
        if (::lstrcmpiA(entry.szExeFile, "Trawlex.exe") != 0)
            continue;
        const ScopedKernelHandle process(::OpenProcess(access, FALSE, entry.th32ProcessID));
        if (process)
            use(process.Get());
    }
    ::CloseHandle(snapshot);
}

} // namespace

std::string TestEnvironment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::unique_ptr<BrandingLoaded> ModuleTestSuite::branding_;

void ModuleTestSuite::SetUpTestSuite()
{
    branding_ = std::make_unique<BrandingLoaded>();
    PrepareQuietModuleUser(TestEnvironment("SEARCH_TEST_DATA"));
}

void ModuleTestSuite::TearDownTestSuite() { branding_.reset(); }

HWND WaitForModuleWindow(const std::string& title)
{
    const ULONGLONG end = ::GetTickCount64() + kWindowTimeoutMs;
    for (;;) {
        HWND window = ::FindWindowA("#32770", title.c_str());
        if (window != nullptr && ::IsWindowVisible(window))
            return window;
        if (::GetTickCount64() >= end)
            return nullptr;
        ::Sleep(50);
    }
}

HRESULT AskLaunchManager(LaunchRequest request, const std::string& itemPath)
{
    const ComApartment apartment;
    ComPtr<INotifyNSServer> module = CreateSearchModule();
    ComPtr<INotifyNSLaunchManager> launcher;
    if (!module || FAILED(module.As(&launcher)))
        return E_NOINTERFACE;
    const std::wstring path(itemPath.begin(), itemPath.end());
    return request == LaunchRequest::ExecuteLaunchObject ? launcher->ExecuteLaunchObject(path.c_str())
                                                         : launcher->AutoMapMedia(path.c_str(), 0);
}

void TerminateModuleProcesses()
{
    ForEachModuleProcess(PROCESS_TERMINATE, [](HANDLE process) { ::TerminateProcess(process, 1); });
}

bool WaitForModuleEnd(DWORD timeoutMs)
{
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    bool ended = true;
    ForEachModuleProcess(SYNCHRONIZE, [&](HANDLE process) {
        const ULONGLONG now = ::GetTickCount64();
        const DWORD left = now < end ? static_cast<DWORD>(end - now) : 0;
        ended = ::WaitForSingleObject(process, left) == WAIT_OBJECT_0 && ended;
    });
    return ended;
}

void ClickModuleButton(HWND dialog, int button)
{
    ::SendMessageA(::GetDlgItem(dialog, button), BM_CLICK, 0, 0);
    ::PostMessageA(dialog, WM_NULL, 0, 0);
}

void PrepareQuietModuleUser(const std::string& programPath)
{
    RegKey machine = RegKey::LOCAL_MACHINE.CreateKey(kProductKey);
    machine.SetStringValue("Program Path", programPath);
    machine.SetDWORDValue("Installed Version", 387);   // an administrator: the all-discs folder is the database
    AuxiliaryFunctions::InitNewCurrentUser();
    RegKey user = RegKey::CURRENT_USER.CreateKey(kProductKey);
    user.SetDWORDValue("Background Process", 0);
    user.SetDWORDValue("Show Icon", 0);
    user.SetDWORDValue("Logging", 1);   // the module's log is shown when a test fails
    RegKey discSearch = user.CreateKey("Disc Search");
    discSearch.SetDWORDValue("Microsoft Windows Network", 1);
    discSearch.SetDWORDValue("NetWare Network", 0);
    discSearch.CreateKey("SMB Domains").SetDWORDValue("Entire Network", 1);
    // SLP asks a loopback address where nobody answers, with short waits.
    RegKey slp = machine.CreateKey("SLP");
    slp.SetStringValue("Agent Addresses", "127.0.0.1:1");
    slp.SetDWORDValue("Multicast", 0);
    slp.SetStringValue("Timeouts", "100,100");
    slp.SetDWORDValue("Maximum Wait", 1000);
}

ComPtr<INotifyNSServer> CreateSearchModule()
{
    CLSID clsid{};
    if (!ExternalResMgr::GetCLSID(g_hBrandingInstance, IDS_BRAND_SEARCH_MODULE_CLSID, clsid))
        return nullptr;
    // A module that is just ending (its last client went a moment ago) refuses activations
    // until its successor has started: a real client tries again as well.
    for (int attempt = 0; attempt < 50; ++attempt) {
        ComPtr<INotifyNSServer> module;
        const HRESULT created = ::CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_INotifyNSServer,
                                                   reinterpret_cast<void**>(module.GetAddressOf()));
        if (SUCCEEDED(created))
            return module;
        if (created == REGDB_E_CLASSNOTREG)
            break;
        ::Sleep(200);
    }
    return nullptr;
}

RegisteredClient::RegisteredClient(INotifyNSServer* module, const std::string& folderPath)
    : callback_(MakeComObject<RecordingNotifyClient>())
{
    if (module == nullptr ||
        FAILED(module->QueryInterface(IID_IRegisterNSClient, reinterpret_cast<void**>(registration_.GetAddressOf()))))
        return;
    registration_->Add(callback_.Get(), WideFromAnsi(folderPath).c_str(), &id_);
}

RegisteredClient::~RegisteredClient()
{
    if (registration_ && id_ > 0)
        registration_->Remove(id_);
}

std::multiset<std::string> RegisteredClient::Names(const std::string& notification) const
{
    const std::wregex pattern(WideFromAnsi(notification) + L" \\{Name=\"([^\"]*)\"");
    std::multiset<std::string> names;
    for (const std::wstring& text : callback_->ReceivedTexts()) {
        std::wsmatch match;
        if (std::regex_search(text, match, pattern) && match.position(0) == 0)
            names.insert(AnsiFromWide(match[1].str().c_str()));
    }
    return names;
}

bool RegisteredClient::SearchDone() const
{
    for (const std::wstring& text : callback_->ReceivedTexts()) {
        if (text == L"SearchDone")
            return true;
    }
    return false;
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    while (!done()) {
        if (::GetTickCount64() >= end)
            return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
    return true;
}

ItemRecord::ItemRecord(const std::string& name, int itemType, const std::string& folderPath,
                       const std::string& location)
    : name_(WideFromAnsi(name)), folderPath_(WideFromAnsi(folderPath)), location_(WideFromAnsi(location))
{
    record_.Name = name_.data();
    record_.OriginalName = name_.data();
    record_.FolderPath = folderPath_.data();
    record_.Location = location_.data();
    record_.ItemType = itemType;
    record_.IconIndex = -1;
}

// --- SettingsProgram ------------------------------------------------------------------------

SettingsProgram::SettingsProgram(const std::string& arguments)
{
    const std::string folder = DirectoryOf(ModuleFileName(nullptr));
    std::string command = "\"" + JoinPath(folder, "Dialwise.exe") + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                          &started))
        return;
    ::CloseHandle(started.hThread);
    process_.Reset(started.hProcess);
    id_ = started.dwProcessId;
}

SettingsProgram::~SettingsProgram()
{
    if (!process_ || HasEnded())
        return;
    for (const char* title : {"Halvo Settings", "About Halvo", "Halvo", "Select Public Folders"}) {
        if (HWND window = FindWindowTitled(title))
            ::PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    }
    ::WaitForSingleObject(process_.Get(), 10000);
}

long SettingsProgram::WaitForExit(DWORD timeoutMs) const
{
    DWORD code = 0;
    if (!process_ || ::WaitForSingleObject(process_.Get(), timeoutMs) != WAIT_OBJECT_0 ||
        !::GetExitCodeProcess(process_.Get(), &code))
        return -1;
    return static_cast<long>(code);
}

HWND SettingsProgram::FindWindowTitled(const std::string& title) const { return FindTopLevelTitled(id_, title); }

HWND SettingsProgram::WaitForWindow(const std::string& title, DWORD timeoutMs) const
{
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    for (;;) {
        if (HWND window = FindWindowTitled(title))
            return window;
        if (::GetTickCount64() >= end || HasEnded())
            return nullptr;
        ::Sleep(50);
    }
}
