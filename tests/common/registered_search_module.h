#pragma once

#include "com/class_factory.h"
#include "resources/branding_ids.h"
#include "resources/resources.h"

#include <gtest/gtest.h>

#include <objbase.h>
#include <unknwn.h>

// Makes an object answer the creation of the search module's class on the calling thread, as
// the module's own process answers it: COM hands out a class registered by the caller's own
// apartment before it looks for a server. Revoked again at the end.
class RegisteredSearchModule {
public:
    explicit RegisteredSearchModule(IUnknown* module)
        : factory_([module](REFIID iid, void** object) { return module->QueryInterface(iid, object); })
    {
        CLSID clsid{};
        EXPECT_TRUE(ExternalResMgr::GetCLSID(g_hBrandingInstance, IDS_BRAND_SEARCH_MODULE_CLSID, clsid));
        EXPECT_EQ(S_OK, ::CoRegisterClassObject(clsid, &factory_, CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE, &cookie_));
    }
    ~RegisteredSearchModule()
    {
        if (cookie_)
            ::CoRevokeClassObject(cookie_);
    }
    RegisteredSearchModule(const RegisteredSearchModule&) = delete;
    RegisteredSearchModule& operator=(const RegisteredSearchModule&) = delete;

private:
    ClassFactory factory_;
    DWORD cookie_ = 0;
};
