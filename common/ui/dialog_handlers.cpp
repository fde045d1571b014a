#include "ui/dialog_handlers.h"

void DialogHandlers::SetMessageResult(LRESULT result) { ::SetWindowLongPtrA(Window(), DWLP_MSGRESULT, result); }

INT_PTR DialogHandlers::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog() ? TRUE : FALSE;
    case WM_COMMAND:
        return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE : FALSE;
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (!RouteNotify(*reinterpret_cast<NMHDR*>(lParam), result))
            return FALSE;
        SetMessageResult(result);
        return TRUE;
    }
    case WM_DESTROY:
        OnDestroy();
        return FALSE;
    default: {
        INT_PTR result = FALSE;
        return OnMessage(message, wParam, lParam, result) ? result : FALSE;
    }
    }
}
