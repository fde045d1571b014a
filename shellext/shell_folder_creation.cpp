#include "shell_folder_creation.h"

#include "shell_folder.h"

HRESULT CreateShellFolder(REFIID riid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    auto* folder = new ShellFolder();
    const HRESULT result = folder->QueryInterface(riid, object);
    folder->Release();
    return result;
}
