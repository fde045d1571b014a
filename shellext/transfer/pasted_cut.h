#pragma once

#include <ole2.h>

// After the items of a cut were pasted (moved by the search module): tells the source through
// the data object ("Paste Succeeded"), so that it takes its cut off the clipboard, and clears
// the cut flag. Where the clipboard's object does not pass the notice on to its source (Wine's
// does not), the cut is taken off the clipboard here, whichever process made it: else it would
// be pasted again, as a copy of items that have gone.
void FinishPastedCut(IDataObject& data);
