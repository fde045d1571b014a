// A second client process: registers on a folder, says it is ready, and ends with 0 once the
// search module has told it of an item of the expected name (1 otherwise, within 20 s).
// Usage: notify_listener.exe FOLDER_PATH READY_EVENT_NAME EXPECTED_ITEM_NAME

#include "base/scoped_handle.h"
#include "com/com_apartment.h"
#include "module_session.h"
#include "resources/resources.h"

#include <shellapi.h>
#include <windows.h>

#include <string>

int main(int argc, char** argv)
{
    if (argc != 4)
        return 2;
    g_hBrandingInstance = ::LoadLibraryExA("Skinset.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    try {
        ComApartment apartment;
        auto module = CreateSearchModule();
        if (!module)
            return 3;
        RegisteredClient client(module.Get(), argv[1]);
        if (client.Id() <= 0)
            return 4;
        ScopedKernelHandle ready(::OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[2]));
        if (!ready)
            return 5;
        ::SetEvent(ready.Get());
        const std::string expected = argv[3];
        return PumpUntil([&] { return client.Names("AddItem").count(expected) != 0; }, 20000) ? 0 : 1;
    } catch (...) {
        return 6;
    }
}
