// The network provider entry points mpr.dll calls (exported undecorated through the .def files).
#pragma once

#include <windows.h>
#include <winnetwk.h>

extern "C" {
DWORD WINAPI NPGetCaps(DWORD index);
DWORD WINAPI NPOpenEnum(DWORD scope, DWORD type, DWORD usage, LPNETRESOURCEW container, LPHANDLE enumeration);
DWORD WINAPI NPEnumResource(HANDLE enumeration, LPDWORD count, LPVOID buffer, LPDWORD bufferSize);
DWORD WINAPI NPCloseEnum(HANDLE enumeration);
DWORD WINAPI NPAddConnection(LPNETRESOURCEW resource, LPWSTR password, LPWSTR userName);
DWORD WINAPI NPAddConnection3(HWND owner, LPNETRESOURCEW resource, LPWSTR password, LPWSTR userName, DWORD flags);
DWORD WINAPI NPCancelConnection(LPWSTR name, BOOL force);
}
