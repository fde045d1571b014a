// RegisterNamespace.exe /register [library path] | /unregister
// Registers the namespace extension (by default the Shellvue.dll beside this program) so that
// Explorer shows it under My Computer, or removes that registration.

#include "namespace_registration.h"

#include "base/module_path.h"
#include "namespace/namespace_functions.h"
#include "registry/registry.h"
#include "res/string_ids.h"
#include "resources/branding_ids.h"
#include "resources/texts.h"
#include "settings/product_version.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

int Usage()
{
    std::fprintf(stderr, "usage: RegisterNamespace.exe /register [path of %s] | /unregister\n",
                 CommonText(IDS_SHELL_EXTENSION_DLL_NAME).c_str());
    return 2;
}

// The class id exactly as the branding library gives it, once it is known to be one.
bool NamespaceClassId(std::string& classId)
{
    GUID parsed;
    if (!ExternalResMgr::GetCLSID(g_hBrandingInstance, IDS_BRAND_NAMESPACE_CLSID, parsed))
        return false;
    classId = BrandingText(IDS_BRAND_NAMESPACE_CLSID);
    return true;
}

std::string FullPath(const std::string& path)
{
    char buffer[MAX_PATH];
    const DWORD length = ::GetFullPathNameA(path.c_str(), MAX_PATH, buffer, nullptr);
    return length > 0 && length < MAX_PATH ? std::string(buffer, length) : std::string();
}

int Register(const std::string& classId, const std::string& libraryArgument)
{
    NamespaceRegistration registration;
    registration.ClassId = classId;
    registration.DisplayName = BrandingText(IDS_BRAND_NAMESPACE_NAME);
    registration.LibraryPath = FullPath(libraryArgument);
    registration.Version = kProductVersion;
    registration.ProductTitle = BrandingText(IDS_BRAND_PRODUCT_TITLE);
    // The root's icon of the branding library beside the extension.
    registration.DefaultIcon = JoinPath(DirectoryOf(registration.LibraryPath), CommonText(IDS_BRANDING_DLL_NAME)) +
                               "," + std::to_string(NamespaceFunctions::GetIconIndex(RootFolder));
    if (registration.LibraryPath.empty() ||
        ::GetFileAttributesA(registration.LibraryPath.c_str()) == INVALID_FILE_ATTRIBUTES) {
        std::fprintf(stderr, "RegisterNamespace: no library at %s\n", libraryArgument.c_str());
        return 1;
    }
    const std::string installedVersion = WriteNamespaceRegistration(registration);
    std::printf("registered %s: %s, installed version %s\n", classId.c_str(), registration.LibraryPath.c_str(),
                installedVersion.c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const bool doRegister = argc >= 2 && argc <= 3 && ::lstrcmpiA(argv[1], "/register") == 0;
    const bool doUnregister = argc == 2 && ::lstrcmpiA(argv[1], "/unregister") == 0;
    if (!doRegister && !doUnregister)
        return Usage();

    g_hBrandingInstance = ExternalResMgr::LoadExternalDLL(CommonText(IDS_BRANDING_DLL_NAME), "RegisterNamespace.exe");
    std::string classId;
    if (!g_hBrandingInstance || !NamespaceClassId(classId)) {
        std::fprintf(stderr, "RegisterNamespace: the branding library names no namespace class\n");
        return 1;
    }
    try {
        if (doUnregister) {
            RemoveNamespaceRegistration(classId);
            std::printf("unregistered %s\n", classId.c_str());
            return 0;
        }
        const std::string library =
            argc == 3 ? std::string(argv[2])
                      : JoinPath(DirectoryOf(ModuleFileName(nullptr)), CommonText(IDS_SHELL_EXTENSION_DLL_NAME));
        return Register(classId, library);
    } catch (const RegKeyException& error) {
        std::fprintf(stderr, "RegisterNamespace: registry error %ld\n", error.Cause());
        return 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "RegisterNamespace: %s\n", error.what());
        return 1;
    }
}
