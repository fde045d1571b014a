#pragma once

#include "resources/resources.h"

// Loads the branding library into Basalt's global for a test's lifetime, as programs do at start.
class BrandingLoaded {
public:
    BrandingLoaded() { g_hBrandingInstance = ::LoadLibraryExA("Skinset.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE); }
    ~BrandingLoaded()
    {
        if (g_hBrandingInstance)
            ::FreeLibrary(g_hBrandingInstance);
        g_hBrandingInstance = nullptr;
    }
    BrandingLoaded(const BrandingLoaded&) = delete;
    BrandingLoaded& operator=(const BrandingLoaded&) = delete;

    bool IsLoaded() const { return g_hBrandingInstance != nullptr; }
};

// The registry paths the tests prepare.
inline constexpr char kProductKey[] = "SOFTWARE\\Orvek Communications\\Tessaro Halvo";
inline constexpr char kProductInfoKey[] = "CLSID\\{3E73FA00-72FE-11D1-B008-00A0C98D47B7}\\NSProductInfo";
