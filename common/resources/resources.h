#pragma once

#include "basalt_api.h"

#include <windows.h>

#include <string>

// Set by the program that loads the branding library; read by everything that brands a text.
extern BASALT_API HINSTANCE g_hBrandingInstance;
// Basalt's own module, known from the moment it is loaded.
extern BASALT_API HINSTANCE g_hBasaltInstance;

// Texts by number from Basalt's string table and the branding library, plus the branding
// library's icons and class ids.
class BASALT_API ExternalResMgr {
public:
    ExternalResMgr() = default;
    virtual ~ExternalResMgr() = default;

    // Loads the library as a data file from Basalt's folder, else from the installation folder
    // registered for the product. When both fail, tells the user and returns null.
    static HINSTANCE LoadExternalDLL(const std::string& fileName, const std::string& callerName);

    static std::string GetString(HINSTANCE instance, UINT id);
    static std::string GetStringFromCommon(UINT id);
    static int GetEnum(HINSTANCE instance, UINT id);
    static int GetFlag(HINSTANCE instance, UINT id);
    static bool GetCLSID(HINSTANCE instance, UINT id, GUID& clsid);
    static bool GetIconHandle(HINSTANCE instance, UINT iconGroupId, bool large, HICON& icon);
    static bool GetBitmapHandleFromCommon(UINT bitmapId, HBITMAP& bitmap);
};
