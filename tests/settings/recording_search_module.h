#pragma once

#include "com/com_object.h"
#include "nsinterfaces.h"
#include "search_module_client.h"
#include "text/ansi_text.h"

#include <mutex>
#include <string>
#include <vector>

// The search module as the settings program sees it, inside the test process: it records what
// it is asked ("Add(null,'')", "Rescan(7)", "Remove(0)", "ExecuteLaunchObject(Work\Tool)") and
// answers S_OK. Installed as the program's search module while it lives.
class RecordingSearchModule final
    : public ComObject<RecordingSearchModule, IRegisterNSClient, INotifyNSServer, INotifyNSLaunchManager> {
public:
    std::vector<std::string> Calls() const
    {
        std::lock_guard lock(lock_);
        return calls_;
    }

    STDMETHODIMP Add(INotifyNSClient* client, const WCHAR* path, LONG* id) override
    {
        if (!id)
            return E_POINTER;
        *id = kRegistrationId;
        Record(std::string("Add(") + (client ? "client" : "null") + ",'" + AnsiFromWide(path) + "')");
        return S_OK;
    }
    STDMETHODIMP Remove(LONG id) override { return Record("Remove(" + std::to_string(id) + ")"); }

    STDMETHODIMP CreateItem(LONG, const WCHAR*, CacheItemStruct) override { return Record("CreateItem"); }
    STDMETHODIMP DeleteItem(LONG, const WCHAR*, CacheItemStruct) override { return Record("DeleteItem"); }
    STDMETHODIMP MoveItem(LONG, const WCHAR*, CacheItemStruct, const WCHAR*, LONG) override { return Record("MoveItem"); }
    STDMETHODIMP UpdateItem(LONG, const WCHAR*, CacheItemStruct) override { return Record("UpdateItem"); }
    STDMETHODIMP Refresh(LONG client) override { return Record("Refresh(" + std::to_string(client) + ")"); }
    STDMETHODIMP Rescan(LONG client) override { return Record("Rescan(" + std::to_string(client) + ")"); }

    STDMETHODIMP ExecuteLaunchObject(const WCHAR* path) override
    {
        return Record("ExecuteLaunchObject(" + AnsiFromWide(path) + ")");
    }
    STDMETHODIMP AutoMapMedia(const WCHAR* path, LONG value) override
    {
        return Record("AutoMapMedia(" + AnsiFromWide(path) + "," + std::to_string(value) + ")");
    }

    static constexpr LONG kRegistrationId = 7;

private:
    HRESULT Record(std::string call)
    {
        std::lock_guard lock(lock_);
        calls_.push_back(std::move(call));
        return S_OK;
    }

    mutable std::mutex lock_;
    std::vector<std::string> calls_;
};

// Makes the recording module the program's search module for its lifetime.
class RecordingModuleInstalled {
public:
    RecordingModuleInstalled() : module_(MakeComObject<RecordingSearchModule>()) { SetSearchModuleOverride(static_cast<IRegisterNSClient*>(module_.Get())); }
    ~RecordingModuleInstalled() { SetSearchModuleOverride(nullptr); }
    RecordingModuleInstalled(const RecordingModuleInstalled&) = delete;
    RecordingModuleInstalled& operator=(const RecordingModuleInstalled&) = delete;

    std::vector<std::string> Calls() const { return module_->Calls(); }

private:
    Microsoft::WRL::ComPtr<RecordingSearchModule> module_;
};
