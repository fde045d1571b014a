#pragma once

#include "item/item.h"

#include <windows.h>

#include <string>
#include <vector>

// The file dialog of a launch object's chain: the common Open dialog with the action's title,
// start directory and file types; every file chosen becomes an answer.
namespace ActionFileDialog {

// "Text files:*.txt|All files:*.*" as the Open dialog's filter: pairs of zero-terminated
// strings and a final zero. Entries without a description or pattern are left out.
std::string FilterFromListItems(const std::string& listItems);

// The paths of an Open dialog's answer: one full path, or (several chosen) the folder followed
// by the names. Reads no further than size characters.
std::vector<std::string> PathsFromAnswer(const char* answer, size_t size);

// False when the user cancelled or the dialog could not be shown.
bool Ask(HWND owner, const LOAction& action, std::vector<std::string>& paths);

} // namespace ActionFileDialog
