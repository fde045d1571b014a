#include "stubwire_library.h"

#include "base/module_path.h"

#include <stdexcept>

StubwireLibrary::StubwireLibrary()
    : path_(JoinPath(DirectoryOf(ModuleFileName(nullptr)), "Stubwire.dll")),
      module_(::LoadLibraryA(path_.c_str())),
      registerServer_(EntryPoint<RegistrationEntry>("DllRegisterServer")),
      unregisterServer_(EntryPoint<RegistrationEntry>("DllUnregisterServer")),
      canUnloadNow_(EntryPoint<RegistrationEntry>("DllCanUnloadNow")),
      getClassObject_(EntryPoint<GetClassObjectEntry>("DllGetClassObject")),
      getProxyDllInfo_(EntryPoint<GetProxyDllInfoEntry>("GetProxyDllInfo"))
{
}

template <class Entry>
Entry StubwireLibrary::EntryPoint(const char* name) const
{
    if (!module_)
        throw std::runtime_error("cannot load " + path_);
    FARPROC address = ::GetProcAddress(module_.Get(), name);
    if (address == nullptr)
        throw std::runtime_error(std::string("Stubwire.dll does not export ") + name);
    // Through the generic function pointer type, which converts to any other without a warning.
    return reinterpret_cast<Entry>(reinterpret_cast<void (*)()>(address));
}

ScopedStubwireRegistration::ScopedStubwireRegistration(const StubwireLibrary& library) : library_(library)
{
    if (FAILED(library_.RegisterServer()))
        throw std::runtime_error("DllRegisterServer of Stubwire.dll failed");
}

ScopedStubwireRegistration::~ScopedStubwireRegistration()
{
    library_.UnregisterServer();
}
