#pragma once

#include "com/com_object.h"
#include "item/item.h"
#include "nsinterfaces.h"
#include "text/ansi_text.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

// The search module's server interface inside the test process: it records each call and
// answers with the next scripted result (S_OK once the script is used up). A test may also let
// a call change the cache, as the real module would.
class ScriptedServer final : public ComObject<ScriptedServer, INotifyNSServer> {
public:
    struct Call {
        std::string method;
        LONG client = 0;
        std::string path;
        CacheItem item;
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
    STDMETHODIMP MoveItem(LONG client, const WCHAR* path, CacheItemStruct item, const WCHAR*, LONG) override
    {
        return Answer("MoveItem", client, path, &item);
    }
    STDMETHODIMP UpdateItem(LONG client, const WCHAR* path, CacheItemStruct item) override
    {
        return Answer("UpdateItem", client, path, &item);
    }
    STDMETHODIMP Refresh(LONG client) override { return Answer("Refresh", client, nullptr, nullptr); }
    STDMETHODIMP Rescan(LONG client) override { return Answer("Rescan", client, nullptr, nullptr); }

    std::vector<std::string> Methods() const
    {
        std::vector<std::string> methods;
        for (const Call& call : calls)
            methods.push_back(call.method);
        return methods;
    }

private:
    HRESULT Answer(const char* method, LONG client, const WCHAR* path, const CacheItemStruct* item)
    {
        Call call{method, client, {}, {}};
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
