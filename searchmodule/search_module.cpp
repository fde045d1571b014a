#include "search_module.h"

#include "com/com_boundary.h"
#include "disc_open_request.h"
#include "logging/logging.h"
#include "module_lifetime.h"
#include "resources/branding_ids.h"
#include "resources/texts.h"
#include "text/ansi_text.h"

SearchModule::SearchModule(SearchCoordinator& searches, HWND window, UINT programEndedMessage,
                           UINT waitingWorkMessage)
    : searches_(searches),
      userRequests_([window, waitingWorkMessage] { ::PostMessageW(window, waitingWorkMessage, 0, 0); }),
      launcher_([window, programEndedMessage](int id) {
          ::PostMessageW(window, programEndedMessage, static_cast<WPARAM>(id), 0);
      })
{
}

HRESULT STDMETHODCALLTYPE SearchModule::Add(INotifyNSClient* client, const WCHAR* path, LONG* clientId)
{
    if (clientId == nullptr || path == nullptr)
        return E_POINTER;
    return ComBoundary("IRegisterNSClient::Add()", [&] {
        *clientId = clients_.Add(client, AnsiFromWide(path));
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE SearchModule::Remove(LONG clientId)
{
    return ComBoundary("IRegisterNSClient::Remove()", [&] {
        // The settings program removes id 0 to say it is done with the module: nothing to end.
        if (clientId != 0 && !clients_.Remove(clientId))
            LogFormatted("IRegisterNSClient::Remove() - no client %d\n", static_cast<int>(clientId));
        return S_OK;
    });
}

HRESULT SearchModule::Apply(const char* member, const std::function<ItemOperationResult()>& operation)
{
    return ComBoundary(member, [&] {
        const ItemOperationResult outcome = operation();
        LogFormatted("%s - result 0x%08X\n", member, static_cast<unsigned>(outcome.result));
        for (const ItemChange& change : outcome.changes)
            clients_.NotifyFolder(change.notification, change.folderPath, change.item);
        return outcome.result;
    });
}

HRESULT STDMETHODCALLTYPE SearchModule::CreateItem(LONG, const WCHAR* path, CacheItemStruct item)
{
    if (path == nullptr)
        return E_POINTER;
    return Apply("SearchModule::CreateItem()",
                 [&] { return ItemOperations::Create(AnsiFromWide(path), CacheItem(item)); });
}

HRESULT STDMETHODCALLTYPE SearchModule::DeleteItem(LONG, const WCHAR* path, CacheItemStruct item)
{
    if (path == nullptr)
        return E_POINTER;
    return Apply("SearchModule::DeleteItem()",
                 [&] { return ItemOperations::Delete(AnsiFromWide(path), CacheItem(item)); });
}

HRESULT STDMETHODCALLTYPE SearchModule::MoveItem(LONG, const WCHAR* destinationPath, CacheItemStruct item,
                                                 const WCHAR* newName, LONG operation)
{
    if (destinationPath == nullptr || newName == nullptr)
        return E_POINTER;
    return Apply("SearchModule::MoveItem()", [&] {
        return ItemOperations::Move(AnsiFromWide(destinationPath), CacheItem(item), AnsiFromWide(newName), operation);
    });
}

HRESULT STDMETHODCALLTYPE SearchModule::UpdateItem(LONG, const WCHAR* path, CacheItemStruct item)
{
    if (path == nullptr)
        return E_POINTER;
    return Apply("SearchModule::UpdateItem()",
                 [&] { return ItemOperations::Update(AnsiFromWide(path), CacheItem(item)); });
}

HRESULT STDMETHODCALLTYPE SearchModule::Refresh(LONG)
{
    return ComBoundary("INotifyNSServer::Refresh()",
                       [&] { return StartSearch(SearchKind::Quick, SearchOrigin::User); });
}

HRESULT STDMETHODCALLTYPE SearchModule::Rescan(LONG)
{
    return ComBoundary("INotifyNSServer::Rescan()",
                       [&] { return StartSearch(SearchKind::Full, SearchOrigin::User); });
}

HRESULT STDMETHODCALLTYPE SearchModule::ExecuteLaunchObject(const WCHAR* itemPath)
{
    if (itemPath == nullptr)
        return E_POINTER;
    return ComBoundary("INotifyNSLaunchManager::ExecuteLaunchObject()", [&] {
        return userRequests_.Run("INotifyNSLaunchManager::ExecuteLaunchObject()", [&] {
            const HRESULT result = launcher_.Execute(AnsiFromWide(itemPath));
            ModuleLifetime::Instance().SetMappingsHeld(launcher_.HoldsMappings());
            return result;
        });
    });
}

HRESULT STDMETHODCALLTYPE SearchModule::AutoMapMedia(const WCHAR* itemPath, LONG)
{
    if (itemPath == nullptr)
        return E_POINTER;
    return ComBoundary("INotifyNSLaunchManager::AutoMapMedia()", [&] {
        return userRequests_.Run("INotifyNSLaunchManager::AutoMapMedia()",
                                 [&] { return OpenDiscForClient(AnsiFromWide(itemPath)); });
    });
}

void SearchModule::OnProgramEnded(int id)
{
    // Its questions (open files, a replaced connection) must not mix with another request's.
    userRequests_.RunOrWait("The end of a launch object's program", [this, id] {
        launcher_.ProgramEnded(id);
        ModuleLifetime::Instance().SetMappingsHeld(launcher_.HoldsMappings());
    });
}

void SearchModule::RunWaitingWork() { userRequests_.RunWaiting(); }

HRESULT SearchModule::StartSearch(SearchKind kind, SearchOrigin origin)
{
    const HRESULT started = searches_.Start(kind, origin);
    if (started == S_OK)
        ModuleLifetime::Instance().SetSearchRunning(true);
    return started;
}

void SearchModule::PublishSearchChanges(const SearchOutcome& changes)
{
    const std::string allDiscs = BrandingText(IDS_BRAND_ALL_DISCS_FOLDER);
    for (const CacheItem& disc : changes.removed)
        clients_.NotifyFolder(ClientNotification::RemoveItem, allDiscs, disc);
    for (const CacheItem& disc : changes.added)
        clients_.NotifyFolder(ClientNotification::AddItem, allDiscs, disc);
}

void SearchModule::PublishSearchDone(const SearchOutcome& outcome)
{
    clients_.NotifySearchDone();
    LogFormatted("Search done: %d servers, %d discs added, %d removed\n", outcome.serversScanned,
                 static_cast<int>(outcome.added.size()), static_cast<int>(outcome.removed.size()));
}
