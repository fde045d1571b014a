#pragma once

#include "logging/logging.h"

#include <windows.h>

#include <exception>
#include <new>

// Writes the suite's line for an exception stopped at a COM boundary; never throws itself.
inline void LogComBoundaryFailure(const char* member, const char* what) noexcept
{
    try {
        LogFormatted("%s - Exception caught: %s \n", member, what ? what : "");
    } catch (...) {
        // Nothing more can be done about a failing log line.
    }
}

// Runs the body of a COM method: whatever it throws is logged with the member's name and
// turned into an HRESULT, so that no exception ever crosses into the caller (Explorer, COM's
// marshalling). Memory exhaustion gives E_OUTOFMEMORY, any other exception E_FAIL.
template <class Body>
HRESULT ComBoundary(const char* member, Body&& body) noexcept
{
    try {
        return body();
    } catch (const std::bad_alloc&) {
        LogComBoundaryFailure(member, "out of memory");
        return E_OUTOFMEMORY;
    } catch (const std::exception& error) {
        LogComBoundaryFailure(member, error.what());
        return E_FAIL;
    } catch (...) {
        LogComBoundaryFailure(member, "unknown exception");
        return E_FAIL;
    }
}
