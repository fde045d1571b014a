#pragma once

#include "com/com_object.h"

#include <ole2.h>

// The source side of a drag started in the view's list: the drag goes on while a mouse button
// is held, drops when none is, and is cancelled by Escape.
class NSDropSource final : public ComObject<NSDropSource, IDropSource> {
public:
    NSDropSource();

    STDMETHODIMP QueryContinueDrag(BOOL escapePressed, DWORD keyState) override;
    STDMETHODIMP GiveFeedback(DWORD effect) override;
};
