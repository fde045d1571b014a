#pragma once

#include <windows.h>

// The recording search module: a local COM server that the interface tests start through COM.
// It records every call it receives and can be told what to answer, through IDispatch
// properties on its one object.

// {0E75A77D-DDF1-4FE8-B4AA-A07A29E8F6CF}
inline constexpr CLSID CLSID_RecordingSearchModule = {
    0x0e75a77d, 0xddf1, 0x4fe8, {0xb4, 0xaa, 0xa0, 0x7a, 0x29, 0xe8, 0xf6, 0xcf}};
inline constexpr char kRecordingSearchModuleClsid[] = "{0E75A77D-DDF1-4FE8-B4AA-A07A29E8F6CF}";
inline constexpr char kRecordingSearchModuleProgram[] = "ns_test_server.exe";

enum RecordingServerProperty : DISPID {
    // get, VT_BSTR: one line per call received, each ended by '\n'
    kJournalProperty = 1,
    // put, VT_I4: the HRESULT that the next call answers with (once; then S_OK again)
    kNextResultProperty = 2,
    // get, VT_I4: the server's process id
    kProcessIdProperty = 3,
};
