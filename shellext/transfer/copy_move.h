#pragma once

#include "nsinterfaces.h"
#include "transfer/item_list_codec.h"

#include <windows.h>

#include <string>

// Where dropped or pasted items go and through whom.
struct CopyMoveTarget {
    // The namespace path of the folder that receives the items.
    std::string path;
    // The search module's connection of the view, or null for a connection of our own.
    INotifyNSServer* server = nullptr;
    LONG clientId = 0;
};

// Copies, moves or links (by effect) every item of the list into the target through the search
// module, answering its replies as the user sees them: a name taken asks whether to replace the
// item there, a copy within one folder is named "Copy of ...", the refusals are explained.
// Items are taken one by one; a refusal of one does not stop the others, and folders that stay
// in place are left out. The effect carried out: DROPEFFECT_NONE when no item was done (the
// search module could not be reached, or refused every one).
DWORD CopyMoveItems(const TransferItemList& items, DWORD effect, const CopyMoveTarget& target);
