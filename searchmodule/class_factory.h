#pragma once

#include <unknwn.h>

class SearchModule;

// The module's class object: every activation gets the one module object.
class ModuleClassFactory final : public IClassFactory {
public:
    explicit ModuleClassFactory(SearchModule& module) : module_(module) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    // The factory lives as long as the module's process; COM's references do not own it.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

private:
    SearchModule& module_;
};
