#pragma once

#include "nsinterfaces.h"

#include <string>
#include <vector>

// A client's callback object: keeps every notification with the thread it arrived on.
class RecordingNotifyClient final : public INotifyNSClient {
public:
    struct Notification {
        // "AddItem {<record>}", "RemoveItem {...}", "UpdateItem {...}" or "SearchDone"
        std::wstring text;
        DWORD thread;
    };

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE AddItem(CacheItemStruct item) override;
    HRESULT STDMETHODCALLTYPE RemoveItem(CacheItemStruct item) override;
    HRESULT STDMETHODCALLTYPE UpdateItem(CacheItemStruct item) override;
    HRESULT STDMETHODCALLTYPE SearchDone() override;

    const std::vector<Notification>& Received() const { return received_; }
    std::vector<std::wstring> ReceivedTexts() const;

private:
    HRESULT Record(std::wstring text);

    LONG references_ = 1;
    std::vector<Notification> received_;
};
