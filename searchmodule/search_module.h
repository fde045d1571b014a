#pragma once

#include "client_registry.h"
#include "com/com_object.h"
#include "item_operations.h"
#include "launch_object_runner.h"
#include "user_request_gate.h"
#include "nsinterfaces.h"
#include "search_coordinator.h"

#include <functional>

// The one object of the module, behind all three of its interfaces. It lives as long as the
// module's process; client references only keep the process running. Every call arrives on
// the module's apartment thread, so its state needs no lock.
class SearchModule final
    : public ComOwnedObject<SearchModule, IRegisterNSClient, INotifyNSServer, INotifyNSLaunchManager> {
public:
    // programEndedMessage is posted to window (wParam: the program's id) when a program whose
    // drive mappings are held has ended; the window then calls OnProgramEnded.
    // waitingWorkMessage is posted when work that waited for a user's request may run; the
    // window then calls RunWaitingWork.
    SearchModule(SearchCoordinator& searches, HWND window, UINT programEndedMessage, UINT waitingWorkMessage);

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

    // A search started by the schedule or the taskbar icon.
    HRESULT StartSearch(SearchKind kind, SearchOrigin origin);
    // Tells the clients of the all-discs folder what a running search changed.
    void PublishSearchChanges(const SearchOutcome& changes);
    // Tells every client that the search has ended (its changes went out as they came).
    void PublishSearchDone(const SearchOutcome& outcome);
    // A started program ended: its launch object's drive mappings are treated as it says, once
    // no request is asking the user.
    void OnProgramEnded(int id);
    void RunWaitingWork();

private:
    // Runs one item operation, tells the clients concerned, and answers with its result.
    HRESULT Apply(const char* member, const std::function<ItemOperationResult()>& operation);

    SearchCoordinator& searches_;
    ClientRegistry clients_;
    UserRequestGate userRequests_;
    LaunchObjectRunner launcher_;
};
