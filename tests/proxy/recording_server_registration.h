#pragma once

#include <string>

// The recording search module registered as a local COM server
// (HKCR\CLSID\{...}\LocalServer32) for the lifetime of the object; the key goes at its end.
class ScopedRecordingServerRegistration {
public:
    // programPath: full path of the server program. Throws RegKeyException when the key cannot
    // be written.
    explicit ScopedRecordingServerRegistration(const std::string& programPath);
    ~ScopedRecordingServerRegistration();
    ScopedRecordingServerRegistration(const ScopedRecordingServerRegistration&) = delete;
    ScopedRecordingServerRegistration& operator=(const ScopedRecordingServerRegistration&) = delete;
};
