#pragma once

#include <windows.h>

// Makes a new namespace root folder and hands out the asked interface of it.
HRESULT CreateShellFolder(REFIID riid, void** object);
