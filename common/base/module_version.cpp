#include "base/module_version.h"

#include "base/module_path.h"
#include "text/text_format.h"

#include <cstring>
#include <vector>

std::string ModuleVersionText(HMODULE module, const char* name)
{
    const std::string path = ModuleFileName(module);
    DWORD ignored = 0;
    const DWORD size = path.empty() ? 0 : ::GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0)
        return {};
    std::vector<BYTE> block(size);
    if (!::GetFileVersionInfoA(path.c_str(), 0, size, block.data()))
        return {};

    struct LanguageAndCodePage {
        WORD language;
        WORD codePage;
    };
    LanguageAndCodePage* translation = nullptr;
    UINT length = 0;
    if (!::VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                          &length) ||
        length < sizeof *translation)
        return {};

    const std::string query =
        FormatText("\\StringFileInfo\\%04x%04x\\%s", translation->language, translation->codePage, name);
    char* text = nullptr;
    if (!::VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&text), &length) || length == 0)
        return {};
    return std::string(text, ::strnlen(text, length));
}
