#pragma once

// A cut made in this process's view lives on the clipboard only while this process does: when
// the clipboard holds it (this process put the data there and the cut flag is set), the cut is
// taken off the clipboard and the flag cleared. Another program's data, and its cut, stay.
// True when the cut was ours.
bool TakeOwnCutOffClipboard();
