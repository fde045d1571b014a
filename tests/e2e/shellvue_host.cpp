// shellvue_host.exe LIBRARY CLASS-ID
// Loads the namespace library and asks it for the class object of CLASS-ID, as Explorer does
// when it first shows the namespace; the library starts on that request. Exit code 0 when the
// library handed out the class object.

#include "base/scoped_handle.h"
#include "com/com_apartment.h"

#include <objbase.h>
#include <windows.h>

#include <cstdio>
#include <exception>
#include <string>

namespace {

using GetClassObjectFunction = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);

enum ExitCode : int { Served = 0, Failed = 1, Usage = 2 };

bool ParseClassId(const char* text, CLSID& clsid)
{
    const std::string narrow = text;
    std::wstring wide(narrow.begin(), narrow.end());   // a class id is plain ASCII
    return SUCCEEDED(::CLSIDFromString(wide.c_str(), &clsid));
}

int RequestClassObject(const char* libraryPath, const CLSID& clsid)
{
    const ComApartment apartment;
    if (!apartment.IsReady()) {
        std::fprintf(stderr, "shellvue_host: no COM apartment (0x%08lX)\n", static_cast<unsigned long>(apartment.Result()));
        return Failed;
    }
    ScopedModule library(::LoadLibraryA(libraryPath));
    if (!library) {
        std::fprintf(stderr, "shellvue_host: cannot load %s (error %lu)\n", libraryPath, ::GetLastError());
        return Failed;
    }
    const auto getClassObject = reinterpret_cast<GetClassObjectFunction>(
        reinterpret_cast<void*>(::GetProcAddress(library.Get(), "DllGetClassObject")));
    if (!getClassObject) {
        std::fprintf(stderr, "shellvue_host: %s exports no DllGetClassObject\n", libraryPath);
        return Failed;
    }
    IClassFactory* factory = nullptr;
    const HRESULT result = getClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory));
    if (FAILED(result) || !factory) {
        std::fprintf(stderr, "shellvue_host: DllGetClassObject failed (0x%08lX)\n", static_cast<unsigned long>(result));
        return Failed;
    }
    factory->Release();
    return Served;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        CLSID clsid{};
        if (argc != 3 || !ParseClassId(argv[2], clsid)) {
            std::fprintf(stderr, "usage: shellvue_host.exe LIBRARY {CLASS-ID}\n");
            return Usage;
        }
        return RequestClassObject(argv[1], clsid);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "shellvue_host: %s\n", error.what());
        return Failed;
    }
}
