#pragma once

#include <windows.h>

class SearchDataHandler;

// Thread function of an attribute reader: reads the attributes of queued URLs until the URL
// collection has finished and the queue is empty. The parameter is the SearchDataHandler,
// which must have counted the reader in already.
DWORD WINAPI AttributeReaderThread(LPVOID handler);
