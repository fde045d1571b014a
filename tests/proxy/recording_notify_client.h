#pragma once

#include "com/com_object.h"
#include "nsinterfaces.h"

#include <string>
#include <vector>

// A client's callback object: keeps every notification with the thread it arrived on.
class RecordingNotifyClient final : public ComObject<RecordingNotifyClient, INotifyNSClient> {
public:
    struct Notification {
        // "AddItem {<record>}", "RemoveItem {...}", "UpdateItem {...}" or "SearchDone"
        std::wstring text;
        DWORD thread;
    };

    HRESULT STDMETHODCALLTYPE AddItem(CacheItemStruct item) override;
    HRESULT STDMETHODCALLTYPE RemoveItem(CacheItemStruct item) override;
    HRESULT STDMETHODCALLTYPE UpdateItem(CacheItemStruct item) override;
    HRESULT STDMETHODCALLTYPE SearchDone() override;

    const std::vector<Notification>& Received() const { return received_; }
    std::vector<std::wstring> ReceivedTexts() const;

private:
    HRESULT Record(std::wstring text);

    std::vector<Notification> received_;
};
