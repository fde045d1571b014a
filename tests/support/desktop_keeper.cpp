// Keeps Wine's desktop process of a test session up between tests. Wine ends it a second after
// the last program that used the desktop has ended, and the next test to open a window would
// start it again (scripts/test-run.sh then starts it before the test, which costs each such
// test its start-up). This program uses the desktop for as long as the session lasts, through a
// message-only window that no test sees; the session's end stops it.

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    const HWND window =
        ::CreateWindowExA(0, "STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    if (!window)
        return 1;
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0)
        ::DispatchMessageA(&message);
    return 0;
}
