// The recording search module's process: a local COM server, started by COM with -Embedding.

#include "com/class_factory.h"
#include "com/com_apartment.h"
#include "recording_search_module.h"
#include "recording_server_protocol.h"
#include "server_lifetime.h"

#include <shellapi.h>
#include <windows.h>

namespace {

// A start that no client follows up with an activation ends after this long.
constexpr UINT kUnusedTimeoutMs = 30000;

bool StartedByCom()
{
    int count = 0;
    LPWSTR* arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (arguments == nullptr)
        return false;
    bool embedding = false;
    for (int i = 1; i < count; ++i)
        embedding = embedding || ::lstrcmpiW(arguments[i], L"-Embedding") == 0 ||
                    ::lstrcmpiW(arguments[i], L"/Embedding") == 0;
    ::LocalFree(arguments);
    return embedding;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    if (!StartedByCom())
        return 2;
    try {
        const ComApartment apartment;
        if (!apartment.IsReady())
            return 1;
        // Each activation gets a new recording module.
        ClassFactory factory(
            [](REFIID iid, void** object) { return CreateComObject<RecordingSearchModule>(iid, object); });
        DWORD registration = 0;
        if (FAILED(::CoRegisterClassObject(CLSID_RecordingSearchModule, &factory, CLSCTX_LOCAL_SERVER,
                                           REGCLS_MULTIPLEUSE, &registration)))
            return 1;
        return ServerLifetime::Run(registration, kUnusedTimeoutMs);
    } catch (...) {
        return 1;
    }
}
