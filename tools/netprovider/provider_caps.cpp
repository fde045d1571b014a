// What the provider tells mpr about itself.
#include "provider_exports.h"

namespace {

// Values of the provider interface (npapi.h); kept here so the provider builds without UNICODE.
constexpr DWORD kInterfaceVersion = 0x01, kNetType = 0x02, kDriverVersion = 0x03, kUser = 0x04,
                kConnection = 0x06, kDialog = 0x08, kAdminTools = 0x09, kEnumeration = 0x0B, kStart = 0x0C;
constexpr DWORD kInterfaceVersion51 = 0x00050001;
constexpr DWORD kNetLanman = 0x00020000;  // reported by mpr as the Microsoft Windows Network
constexpr DWORD kConAddConnection = 0x01, kConCancelConnection = 0x02, kConAddConnection3 = 0x08;
constexpr DWORD kEnumGlobal = 0x01;
constexpr DWORD kStarted = 0x01;

}  // namespace

extern "C" DWORD WINAPI NPGetCaps(DWORD index)
{
    switch (index) {
    case kInterfaceVersion: return kInterfaceVersion51;
    case kNetType: return kNetLanman;
    case kDriverVersion: return 1;
    case kConnection: return kConAddConnection | kConAddConnection3 | kConCancelConnection;
    case kEnumeration: return kEnumGlobal;
    case kStart: return kStarted;
    case kUser:
    case kDialog:
    case kAdminTools:
    default: return 0;
    }
}
