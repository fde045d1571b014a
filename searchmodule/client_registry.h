#pragma once

#include "item/item.h"
#include "nsinterfaces.h"

#include <wrl/client.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

// What a registered client is told about.
enum class ClientNotification { AddItem, RemoveItem, UpdateItem };

// The clients registered with IRegisterNSClient::Add, each with the folder it shows. Lives on
// the module's apartment thread: the callbacks are that apartment's proxies.
class ClientRegistry {
public:
    // A new positive id; the callback may be null (a client that only wants an id).
    LONG Add(INotifyNSClient* client, const std::string& folderPath);
    // False when the id is not registered.
    bool Remove(LONG id);
    size_t Count() const { return clients_.size(); }

    // Tells every client registered on the item's folder. A client whose callback fails because
    // its process is gone is dropped.
    void NotifyFolder(ClientNotification notification, const std::string& folderPath, const CacheItem& item);
    // Tells every client that a search has ended.
    void NotifySearchDone();

private:
    struct Registration {
        Microsoft::WRL::ComPtr<INotifyNSClient> callback;
        std::string folderPath;
    };

    using Target = std::pair<LONG, Microsoft::WRL::ComPtr<INotifyNSClient>>;

    // The clients with a callback, of one folder or (null) of all.
    std::vector<Target> Targets(const std::string* folderPath) const;
    void DropIfGone(LONG id, HRESULT result);

    std::map<LONG, Registration> clients_;
    LONG lastId_ = 0;
};
