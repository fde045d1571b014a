#include "recording_server_registration.h"

#include "recording_server_protocol.h"
#include "registry/registry.h"

namespace {

const std::string kClassKey = std::string("CLSID\\") + kRecordingSearchModuleClsid;

} // namespace

ScopedRecordingServerRegistration::ScopedRecordingServerRegistration(const std::string& programPath)
{
    RegKey server = RegKey::CLASSES_ROOT.CreateKey(kClassKey + "\\LocalServer32");
    server.SetStringValue("", "\"" + programPath + "\"");
}

ScopedRecordingServerRegistration::~ScopedRecordingServerRegistration()
{
    try {
        RegKey::CLASSES_ROOT.GetKey(kClassKey).DeleteKey("LocalServer32");
        RegKey::CLASSES_ROOT.DeleteKey(kClassKey);
    } catch (const RegKeyException&) {
        // Already gone.
    }
}
