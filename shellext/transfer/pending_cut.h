#pragma once

#include <ole2.h>
#include <wrl/client.h>

#include <string>
#include <vector>

// The cut this process put on the clipboard and has not pasted or cancelled: its data object
// (to tell whether the clipboard still holds it), the items, and the list that shows them, so
// that they are drawn dimmed while the cut is pending. Shared by the process's views.
namespace pending_cut {

void Set(IDataObject* data, const std::string& folderPath, const std::vector<std::string>& names, HWND list);
// Forgets the cut; true when there was one.
bool Clear();
// True when a cut of ours is pending and the clipboard still holds its data.
bool IsOnClipboard();
// True when the item is part of a pending cut that is still on the clipboard.
bool Contains(const std::string& folderPath, const std::string& name);
// Forgets the cut and empties the clipboard while it still holds the cut (data another program
// put there since stays); true when there was a cut. With only, a cut of that data object alone.
bool TakeOffClipboard(IDataObject* only = nullptr);

} // namespace pending_cut
