#pragma once

#include "base/scoped_handle.h"

#include <windows.h>

#include <string>

// Stubwire.dll loaded from the test program's folder, with its five entry points.
class StubwireLibrary {
public:
    // Throws std::runtime_error when the library or one of its entry points is missing.
    StubwireLibrary();

    const std::string& Path() const { return path_; }
    HRESULT RegisterServer() const { return registerServer_(); }
    HRESULT UnregisterServer() const { return unregisterServer_(); }
    HRESULT CanUnloadNow() const { return canUnloadNow_(); }
    HRESULT GetClassObject(REFCLSID classId, REFIID iid, void** object) const
    {
        return getClassObject_(classId, iid, object);
    }
    // The proxy-file list comes back opaque: proxy_file_table.h reads it.
    void GetProxyDllInfo(const void** proxyFileList, const CLSID** factoryClassId) const
    {
        getProxyDllInfo_(proxyFileList, factoryClassId);
    }

private:
    using RegistrationEntry = HRESULT(STDAPICALLTYPE*)();
    using GetClassObjectEntry = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    using GetProxyDllInfoEntry = void(RPC_ENTRY*)(const void**, const CLSID**);

    template <class Entry>
    Entry EntryPoint(const char* name) const;

    std::string path_;
    ScopedModule module_;
    RegistrationEntry registerServer_;
    RegistrationEntry unregisterServer_;
    RegistrationEntry canUnloadNow_;
    GetClassObjectEntry getClassObject_;
    GetProxyDllInfoEntry getProxyDllInfo_;
};

// Stubwire registered (as regsvr32 does it) for the lifetime of the object, unregistered at
// its end: the registry is the real one of the Wine prefix.
class ScopedStubwireRegistration {
public:
    // Throws std::runtime_error when the registration fails.
    explicit ScopedStubwireRegistration(const StubwireLibrary& library);
    ~ScopedStubwireRegistration();
    ScopedStubwireRegistration(const ScopedStubwireRegistration&) = delete;
    ScopedStubwireRegistration& operator=(const ScopedStubwireRegistration&) = delete;

private:
    const StubwireLibrary& library_;
};
