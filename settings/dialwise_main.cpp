// Dialwise: the suite's settings and administration program, one task per start.
#include "com/com_apartment.h"
#include "dialwise_app.h"
#include "logging/logging.h"

#include <windows.h>

#include <exception>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    try {
        // The dialogs use the shell (folder browsing) and COM (the search module) on this thread.
        const OleApartment ole;
        DialwiseApp app(::GetCommandLineW());
        return app.Run();
    } catch (const std::exception& error) {
        LogFormatted("DialwiseApp::InitInstance() - Exception caught: %s \n", error.what());
    } catch (...) {
        Logging::OutToLogFile("DialwiseApp::InitInstance() - unknown exception caught\n");
    }
    return 1;
}
