#include "support/registry_sandbox.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>

namespace {

const HKEY kRedirectedRoots[3] = {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_CLASSES_ROOT};
const char* const kRootNames[3] = {"CURRENT_USER", "LOCAL_MACHINE", "CLASSES_ROOT"};

std::atomic<int> g_sandboxCount{0};

} // namespace

RegistrySandbox::RegistrySandbox()
{
    scratchPath_ = "Software\\HalvoTestSandbox\\" + std::to_string(::GetCurrentProcessId()) + "_" +
                   std::to_string(++g_sandboxCount);
    // A test process that died leaves its keys behind, and process ids are reused.
    ::RegDeleteTreeA(HKEY_CURRENT_USER, scratchPath_.c_str());
    for (int i = 0; i < 3; ++i) {
        const std::string path = scratchPath_ + "\\" + kRootNames[i];
        if (::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &overrides_[i], nullptr) != ERROR_SUCCESS)
            throw std::runtime_error("cannot create the scratch registry key " + path);
    }
    // HKEY_CURRENT_USER last: the scratch keys themselves live under the real one.
    for (int i = 2; i >= 0; --i)
        if (::RegOverridePredefKey(kRedirectedRoots[i], overrides_[i]) != ERROR_SUCCESS)
            throw std::runtime_error("RegOverridePredefKey failed");
}

RegistrySandbox::~RegistrySandbox()
{
    for (HKEY root : kRedirectedRoots)
        ::RegOverridePredefKey(root, nullptr);
    for (HKEY& key : overrides_) {
        if (key)
            ::RegCloseKey(key);
    }
    ::RegDeleteTreeA(HKEY_CURRENT_USER, scratchPath_.c_str());
}
