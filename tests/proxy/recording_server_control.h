#pragma once

#include <oaidl.h>
#include <wrl/client.h>

#include <string>
#include <utility>
#include <vector>

// The test's side of the recording search module's control properties. Every call crosses to
// the server process; failures throw std::runtime_error.
class RecordingServerControl {
public:
    explicit RecordingServerControl(Microsoft::WRL::ComPtr<IDispatch> server) : server_(std::move(server)) {}

    // The calls the server has received so far, one line each, oldest first.
    std::vector<std::wstring> Journal() const;
    // The server answers the next call with this result (once).
    void SetNextResult(HRESULT result) const;
    DWORD ProcessId() const;

private:
    VARIANT Get(DISPID property) const;

    Microsoft::WRL::ComPtr<IDispatch> server_;
};
