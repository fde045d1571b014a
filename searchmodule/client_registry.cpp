#include "client_registry.h"

#include "logging/logging.h"
#include "text/text_compare.h"

#include <vector>

namespace {

// Results that mean the client's process or apartment no longer exists.
bool IsDisconnected(HRESULT result)
{
    return result == RPC_E_DISCONNECTED || result == RPC_E_SERVER_DIED || result == RPC_E_SERVER_DIED_DNE ||
           result == HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE) || result == CO_E_OBJNOTCONNECTED ||
           result == HRESULT_FROM_WIN32(RPC_S_CALL_FAILED) || result == HRESULT_FROM_WIN32(RPC_S_CALL_FAILED_DNE);
}

} // namespace

LONG ClientRegistry::Add(INotifyNSClient* client, const std::string& folderPath)
{
    // Ids are never reused while the module runs, so a stale id cannot reach a newer client.
    if (lastId_ == MAXLONG)
        lastId_ = 0;
    const LONG id = ++lastId_;
    clients_[id] = Registration{client, folderPath};
    LogFormatted("Client %d registered on '%s'\n", static_cast<int>(id), folderPath);
    return id;
}

bool ClientRegistry::Remove(LONG id)
{
    return clients_.erase(id) != 0;
}

std::vector<ClientRegistry::Target> ClientRegistry::Targets(const std::string* folderPath) const
{
    // A callback lets the apartment take calls, which may change the registrations meanwhile,
    // so the callbacks are called from a copy.
    std::vector<Target> targets;
    for (const auto& [id, registration] : clients_) {
        if (registration.callback && (!folderPath || EqualsNoCase(registration.folderPath, *folderPath)))
            targets.emplace_back(id, registration.callback);
    }
    return targets;
}

void ClientRegistry::NotifyFolder(ClientNotification notification, const std::string& folderPath,
                                  const CacheItem& item)
{
    const std::vector<Target> targets = Targets(&folderPath);
    if (targets.empty())
        return;   // most search results reach no open view: no record to build
    CacheItem record(item);
    if (!record.InitStruct())
        return;
    for (const auto& [id, callback] : targets) {
        HRESULT result = S_OK;
        switch (notification) {
        case ClientNotification::AddItem: result = callback->AddItem(record.Record); break;
        case ClientNotification::RemoveItem: result = callback->RemoveItem(record.Record); break;
        case ClientNotification::UpdateItem: result = callback->UpdateItem(record.Record); break;
        }
        DropIfGone(id, result);
    }
}

void ClientRegistry::NotifySearchDone()
{
    for (const auto& [id, callback] : Targets(nullptr))
        DropIfGone(id, callback->SearchDone());
}

void ClientRegistry::DropIfGone(LONG id, HRESULT result)
{
    if (!IsDisconnected(result))
        return;
    LogFormatted("Client %d is gone (0x%08X); its registration ends\n", static_cast<int>(id),
                 static_cast<unsigned>(result));
    clients_.erase(id);
}
