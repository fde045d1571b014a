#include "recording_search_module.h"

#include "cache_item_description.h"
#include "recording_server_protocol.h"

#include <vector>

namespace {

std::wstring ClientIdText(LONG clientId)
{
    return L"client=" + std::to_wstring(clientId);
}

} // namespace

RecordingSearchModule::~RecordingSearchModule()
{
    // The callbacks go before the server may end, while the apartment still runs.
    clients_.clear();
}

HRESULT STDMETHODCALLTYPE RecordingSearchModule::Add(INotifyNSClient* client, const WCHAR* path, LONG* clientId)
{
    Record(std::wstring(L"Add client=") + (client != nullptr ? L"set" : L"null") + L" path=" + QuoteOrNull(path));
    const HRESULT result = TakeResult();
    if (result != S_OK)
        return result;
    *clientId = ++lastClientId_;
    if (client != nullptr)
        clients_[*clientId] = client;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE RecordingSearchModule::Remove(LONG clientId)
{
    Record(L"Remove " + ClientIdText(clientId));
    clients_.erase(clientId);
    return TakeResult();
}

HRESULT STDMETHODCALLTYPE RecordingSearchModule::CreateItem(LONG clientId, const WCHAR* path, CacheItemStruct item)
{
    Record(L"CreateItem " + ClientIdText(clientId) + L" path=" + QuoteOrNull(path) + L" item={" +
           DescribeCacheItem(item) + L"}");
    const HRESULT result = TakeResult();
    if (result == S_OK)
        NotifyClients(Notification::AddItem, &item);
    return result;
}

HRESULT STDMETHODCALLTYPE RecordingSearchModule::DeleteItem(LONG clientId, const WCHAR* path, CacheItemStruct item)
{
    Record(L"DeleteItem " + ClientIdText(clientId) + L" path=" + QuoteOrNull(path) + L" item={" +
           DescribeCacheItem(item) + L"}");
    const HRESULT result = TakeResult();
    if (result == S_OK)
        NotifyClients(Notification::RemoveItem, &item);
    return result;
}

HRESULT STDMETHODCALLTYPE RecordingSearchModule::MoveItem(LONG clientId, const WCHAR* destinationPath,
                                                          CacheItemStruct item, const WCHAR* newName,
                                                          LONG operation)
{
    Record(L"MoveItem " + ClientIdText(clientId) + L" destination=" + QuoteOrNull(destinationPath) + L" item={" +
           DescribeCacheItem(item) + L"} newName=" + QuoteOrNull(newName) +
           L" operation=" + std::to_wstring(operation));
    const HRESULT result = TakeResult();
    if (result == S_OK)
        NotifyClients(Notification::UpdateItem, &item);
    return result;
}

HRESULT STDMETHODCALLTYPE RecordingSearchModule::UpdateItem(LONG clientId, const WCHAR* path, CacheItemStruct item)
{
    Record(L"UpdateItem " + ClientIdText(clientId) + L" path=" + QuoteOrNull(path) + L" item={" +
           DescribeCacheItem(item) + L"}");
    const HRESULT result = TakeResult();
    if (result == S_OK)
        NotifyClients(Notification::UpdateItem, &item);
    return result;
}

HRESULT STDMETHODCALLTYPE RecordingSearchModule::Refresh(LONG clientId)
{
    Record(L"Refresh " + ClientIdText(clientId));
    const HRESULT result = TakeResult();
    if (result == S_OK)
        NotifyClients(Notification::SearchDone, nullptr);
    return result;
}

HRESULT STDMETHODCALLTYPE RecordingSearchModule::Rescan(LONG clientId)
{
    Record(L"Rescan " + ClientIdText(clientId));
    const HRESULT result = TakeResult();
    if (result == S_OK)
        NotifyClients(Notification::SearchDone, nullptr);
    return result;
}

HRESULT STDMETHODCALLTYPE RecordingSearchModule::ExecuteLaunchObject(const WCHAR* itemPath)
{
    Record(L"ExecuteLaunchObject " + QuoteOrNull(itemPath));
    return TakeResult();
}

HRESULT STDMETHODCALLTYPE RecordingSearchModule::AutoMapMedia(const WCHAR* itemPath, LONG reserved)
{
    Record(L"AutoMapMedia " + QuoteOrNull(itemPath) + L" " + std::to_wstring(reserved));
    return TakeResult();
}

HRESULT STDMETHODCALLTYPE RecordingSearchModule::GetTypeInfoCount(UINT* count)
{
    if (count == nullptr)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE RecordingSearchModule::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    if (info != nullptr)
        *info = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE RecordingSearchModule::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return DISP_E_UNKNOWNNAME;
}

HRESULT STDMETHODCALLTYPE RecordingSearchModule::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters,
                                                        VARIANT* result, EXCEPINFO*, UINT*)
{
    const bool isGet = (flags & DISPATCH_PROPERTYGET) != 0;
    const bool isPut = (flags & DISPATCH_PROPERTYPUT) != 0;
    if (isGet && result == nullptr)
        return E_POINTER;
    if (isPut && (parameters == nullptr || parameters->cArgs != 1))
        return DISP_E_BADPARAMCOUNT;

    switch (id) {
    case kJournalProperty:
        if (!isGet)
            return DISP_E_MEMBERNOTFOUND;
        ::VariantInit(result);
        result->vt = VT_BSTR;
        result->bstrVal = ::SysAllocStringLen(journal_.data(), static_cast<UINT>(journal_.size()));
        return result->bstrVal != nullptr ? S_OK : E_OUTOFMEMORY;
    case kProcessIdProperty:
        if (!isGet)
            return DISP_E_MEMBERNOTFOUND;
        ::VariantInit(result);
        result->vt = VT_I4;
        result->lVal = static_cast<LONG>(::GetCurrentProcessId());
        return S_OK;
    case kNextResultProperty: {
        if (!isPut)
            return DISP_E_MEMBERNOTFOUND;
        VARIANT value;
        ::VariantInit(&value);
        const HRESULT converted = ::VariantChangeType(&value, &parameters->rgvarg[0], 0, VT_I4);
        if (FAILED(converted))
            return DISP_E_TYPEMISMATCH;
        nextResult_ = static_cast<HRESULT>(value.lVal);
        return S_OK;
    }
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

void RecordingSearchModule::Record(const std::wstring& line)
{
    journal_ += line + L"\n";
}

HRESULT RecordingSearchModule::TakeResult()
{
    const HRESULT result = nextResult_;
    nextResult_ = S_OK;
    return result;
}

void RecordingSearchModule::NotifyClients(Notification notification, const CacheItemStruct* item)
{
    // A copy: a client may register or unregister from inside its callback.
    std::vector<Microsoft::WRL::ComPtr<INotifyNSClient>> clients;
    for (const auto& [id, client] : clients_)
        clients.push_back(client);
    for (const auto& client : clients) {
        switch (notification) {
        case Notification::AddItem:
            client->AddItem(*item);
            break;
        case Notification::RemoveItem:
            client->RemoveItem(*item);
            break;
        case Notification::UpdateItem:
            client->UpdateItem(*item);
            break;
        case Notification::SearchDone:
            client->SearchDone();
            break;
        }
    }
}
