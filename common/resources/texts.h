#pragma once

#include "resources/resources.h"

// Short forms for the two string tables, used all over Basalt.
inline std::string CommonText(UINT id) { return ExternalResMgr::GetStringFromCommon(id); }
inline std::string BrandingText(UINT id) { return ExternalResMgr::GetString(g_hBrandingInstance, id); }
// A text of the running program's own string table.
inline std::string ProgramText(UINT id) { return ExternalResMgr::GetString(::GetModuleHandleA(nullptr), id); }
