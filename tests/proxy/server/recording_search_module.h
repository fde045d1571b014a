#pragma once

#include "com/com_object.h"
#include "nsinterfaces.h"

#include <oaidl.h>
#include <wrl/client.h>

#include <map>
#include <string>

// A stand-in for the search module: one object with its three interfaces. It writes every call
// it receives to a journal, answers with S_OK or with the result the test asked for, and
// notifies its registered clients as the real module does (AddItem after CreateItem, RemoveItem
// after DeleteItem, UpdateItem after MoveItem and UpdateItem, SearchDone after a search was
// started). The test reads the journal and sets the next result through IDispatch.
class RecordingSearchModule final : public ComObject<RecordingSearchModule, IRegisterNSClient, INotifyNSServer,
                                                     INotifyNSLaunchManager, IDispatch> {
public:
    RecordingSearchModule() = default;
    ~RecordingSearchModule() override;

    // IRegisterNSClient
    HRESULT STDMETHODCALLTYPE Add(INotifyNSClient* client, const WCHAR* path, LONG* clientId) override;
    HRESULT STDMETHODCALLTYPE Remove(LONG clientId) override;

    // INotifyNSServer
    HRESULT STDMETHODCALLTYPE CreateItem(LONG clientId, const WCHAR* path, CacheItemStruct item) override;
    HRESULT STDMETHODCALLTYPE DeleteItem(LONG clientId, const WCHAR* path, CacheItemStruct item) override;
    HRESULT STDMETHODCALLTYPE MoveItem(LONG clientId, const WCHAR* destinationPath, CacheItemStruct item,
                                       const WCHAR* newName, LONG operation) override;
    HRESULT STDMETHODCALLTYPE UpdateItem(LONG clientId, const WCHAR* path, CacheItemStruct item) override;
    HRESULT STDMETHODCALLTYPE Refresh(LONG clientId) override;
    HRESULT STDMETHODCALLTYPE Rescan(LONG clientId) override;

    // INotifyNSLaunchManager
    HRESULT STDMETHODCALLTYPE ExecuteLaunchObject(const WCHAR* itemPath) override;
    HRESULT STDMETHODCALLTYPE AutoMapMedia(const WCHAR* itemPath, LONG reserved) override;

    // IDispatch: the test's control properties (recording_server_protocol.h)
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

private:
    enum class Notification { AddItem, RemoveItem, UpdateItem, SearchDone };

    void Record(const std::wstring& line);
    HRESULT TakeResult();
    // Passes the item on to every registered client (none for SearchDone).
    void NotifyClients(Notification notification, const CacheItemStruct* item);

    std::wstring journal_;
    HRESULT nextResult_ = S_OK;
    LONG lastClientId_ = 0;
    std::map<LONG, Microsoft::WRL::ComPtr<INotifyNSClient>> clients_;
};
