#include "recording_server_control.h"

#include "recording_server_protocol.h"

#include <stdexcept>

std::vector<std::wstring> RecordingServerControl::Journal() const
{
    VARIANT value = Get(kJournalProperty);
    if (value.vt != VT_BSTR) {
        ::VariantClear(&value);
        throw std::runtime_error("the journal is not a string");
    }
    const std::wstring text(value.bstrVal, ::SysStringLen(value.bstrVal));
    ::VariantClear(&value);

    std::vector<std::wstring> lines;
    size_t start = 0;
    for (size_t end = text.find(L'\n'); end != std::wstring::npos; end = text.find(L'\n', start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

void RecordingServerControl::SetNextResult(HRESULT result) const
{
    VARIANT value;
    ::VariantInit(&value);
    value.vt = VT_I4;
    value.lVal = result;
    DISPID namedArgument = DISPID_PROPERTYPUT;
    DISPPARAMS parameters{&value, &namedArgument, 1, 1};
    if (FAILED(server_->Invoke(kNextResultProperty, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT,
                               &parameters, nullptr, nullptr, nullptr)))
        throw std::runtime_error("the server did not take the next result");
}

DWORD RecordingServerControl::ProcessId() const
{
    VARIANT value = Get(kProcessIdProperty);
    if (value.vt != VT_I4)
        throw std::runtime_error("the process id is not a number");
    return static_cast<DWORD>(value.lVal);
}

VARIANT RecordingServerControl::Get(DISPID property) const
{
    VARIANT value;
    ::VariantInit(&value);
    DISPPARAMS noParameters{nullptr, nullptr, 0, 0};
    if (FAILED(server_->Invoke(property, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &noParameters,
                               &value, nullptr, nullptr)))
        throw std::runtime_error("the server did not answer a property request");
    return value;
}
