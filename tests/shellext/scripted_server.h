#pragma once

#include "com/com_object.h"
#include "item/item.h"
#include "nsinterfaces.h"
#include "text/ansi_text.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

// The search module inside the test process: it records each call of its server and launch
// interfaces and answers with the next scripted result (S_OK once the script is used up); a
// test may also let a call change the cache or call the registered clients back, as the real
// module would. Clients register as with the real module.
class ScriptedServer final
    : public ComObject<ScriptedServer, INotifyNSServer, IRegisterNSClient, INotifyNSLaunchManager> {
public:
    struct Call {
        std::string method;
        LONG client = 0;
        std::string path;
        CacheItem item;
        // MoveItem's new name (empty: the name stays) and operation (1 copy, 2 move).
        std::string newName;
        LONG operation = 0;
    };

    std::vector<Call> calls;
    std::deque<HRESULT> answers;
    // Runs after a call is recorded and before it is answered.
    std::function<void(const Call&)> effect;

    STDMETHODIMP CreateItem(LONG client, const WCHAR* path, CacheItemStruct item) override
    {
        return Answer("CreateItem", client, path, &item);
    }
    STDMETHODIMP DeleteItem(LONG client, const WCHAR* path, CacheItemStruct item) override
    {
        return Answer("DeleteItem", client, path, &item);
    }
    STDMETHODIMP MoveItem(LONG client, const WCHAR* path, CacheItemStruct item, const WCHAR* newName,
                          LONG operation) override
    {
        return Answer("MoveItem", client, path, &item, newName ? AnsiFromWide(newName) : std::string(), operation);
    }
    STDMETHODIMP UpdateItem(LONG client, const WCHAR* path, CacheItemStruct item) override
    {
        return Answer("UpdateItem", client, path, &item);
    }
    STDMETHODIMP Refresh(LONG client) override { return Answer("Refresh", client, nullptr, nullptr); }
    STDMETHODIMP Rescan(LONG client) override { return Answer("Rescan", client, nullptr, nullptr); }

    // IRegisterNSClient
    STDMETHODIMP Add(INotifyNSClient* client, const WCHAR* path, LONG* id) override
    {
        if (!client || !id)
            return E_POINTER;
        *id = ++lastClient_;
        clients.push_back({*id, path ? AnsiFromWide(path) : std::string(), client});
        return S_OK;
    }
    STDMETHODIMP Remove(LONG id) override
    {
        for (auto it = clients.begin(); it != clients.end(); ++it) {
            if (it->id == id) {
                clients.erase(it);
                return S_OK;
            }
        }
        return E_INVALIDARG;
    }

    // INotifyNSLaunchManager
    STDMETHODIMP ExecuteLaunchObject(const WCHAR* path) override
    {
        return Answer("ExecuteLaunchObject", 0, path, nullptr);
    }
    STDMETHODIMP AutoMapMedia(const WCHAR* path, LONG) override { return Answer("AutoMapMedia", 0, path, nullptr); }

    struct Client {
        LONG id = 0;
        std::string path;
        Microsoft::WRL::ComPtr<INotifyNSClient> callback;
    };
    std::vector<Client> clients;

    // Tells every registered client of an added item, as a search does.
    void AddToClients(const CacheItem& item)
    {
        CacheItem record(item);
        if (!record.InitStruct())
            return;
        for (const Client& client : std::vector<Client>(clients))
            client.callback->AddItem(record.Record);
    }

    std::vector<std::string> Methods() const
    {
        std::vector<std::string> methods;
        for (const Call& call : calls)
            methods.push_back(call.method);
        return methods;
    }

private:
    LONG lastClient_ = 0;

    HRESULT Answer(const char* method, LONG client, const WCHAR* path, const CacheItemStruct* item,
                   std::string newName = {}, LONG operation = 0)
    {
        Call call{method, client, {}, {}, std::move(newName), operation};
        if (path)
            call.path = AnsiFromWide(path);
        if (item)
            call.item = CacheItem(*item);
        calls.push_back(call);
        if (effect)
            effect(calls.back());
        if (answers.empty())
            return S_OK;
        const HRESULT answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// A search module that cannot be reached: it answers none of its interfaces, as when it is
// neither running nor to be started.
class UnreachableSearchModule final : public ComObject<UnreachableSearchModule, IUnknown> {};
