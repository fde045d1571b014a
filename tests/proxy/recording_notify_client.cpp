#include "recording_notify_client.h"

#include "cache_item_description.h"

HRESULT STDMETHODCALLTYPE RecordingNotifyClient::AddItem(CacheItemStruct item)
{
    return Record(L"AddItem {" + DescribeCacheItem(item) + L"}");
}

HRESULT STDMETHODCALLTYPE RecordingNotifyClient::RemoveItem(CacheItemStruct item)
{
    return Record(L"RemoveItem {" + DescribeCacheItem(item) + L"}");
}

HRESULT STDMETHODCALLTYPE RecordingNotifyClient::UpdateItem(CacheItemStruct item)
{
    return Record(L"UpdateItem {" + DescribeCacheItem(item) + L"}");
}

HRESULT STDMETHODCALLTYPE RecordingNotifyClient::SearchDone()
{
    return Record(L"SearchDone");
}

std::vector<std::wstring> RecordingNotifyClient::ReceivedTexts() const
{
    std::vector<std::wstring> texts;
    for (const auto& notification : received_)
        texts.push_back(notification.text);
    return texts;
}

HRESULT RecordingNotifyClient::Record(std::wstring text)
{
    received_.push_back({std::move(text), ::GetCurrentThreadId()});
    return S_OK;
}
