#include "recording_notify_client.h"

#include "cache_item_description.h"

HRESULT STDMETHODCALLTYPE RecordingNotifyClient::QueryInterface(REFIID iid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_INotifyNSClient) {
        *object = static_cast<INotifyNSClient*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE RecordingNotifyClient::AddRef()
{
    return static_cast<ULONG>(::InterlockedIncrement(&references_));
}

ULONG STDMETHODCALLTYPE RecordingNotifyClient::Release()
{
    const LONG remaining = ::InterlockedDecrement(&references_);
    if (remaining == 0)
        delete this;
    return static_cast<ULONG>(remaining);
}

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
