#pragma once

#include "basalt_api.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// What every drive mapping of the suite shares: letters, reading a letter's connection,
// connecting and disconnecting with the same resource fields, and the limits of the names
// passed to the network.

// The longest network path passed to the network, and the longest user name or password; a
// longer one is refused, never cut (a cut path names another share, a cut password is wrong).
constexpr size_t kMaxRemoteNameLength = 260;
constexpr size_t kMaxCredentialLength = 256;

// "F", "f:" or "F:\" as the local name "F:"; empty when it names no letter from C to Z.
BASALT_API std::string LocalNameOfLetter(const std::string& letter);
// "F:" as "F:\", the form the drive type is asked for.
BASALT_API std::string RootPathOf(const std::string& localName);

// The connection of a local name, however long its remote name. Answers as WNetGetConnectionA;
// the remote name is filled for NO_ERROR and ERROR_CONNECTION_UNAVAIL (remembered, not connected).
BASALT_API DWORD QueryConnection(const std::string& localName, std::string& remoteName);

enum class DriveLetterState { Free, Connected, Remembered };

struct DriveLetterEntry {
    char letter = 0;
    DriveLetterState state = DriveLetterState::Free;
    std::string remoteName;
};

// The letters from C to Z that can take a network connection, in order: free ones and those
// connected or remembered; local drives are left out. A letter whose connection cannot be read
// is reported to onError and left out, and the scan goes on.
BASALT_API std::vector<DriveLetterEntry> ListNetworkDriveLetters(const std::function<void(char letter, DWORD error)>& onError);

// The message for a network path, user name or password too long to be passed on; empty when
// all fit.
BASALT_API std::string ConnectionLengthProblem(const std::string& remoteName, const std::string& userName = {},
                                               const std::string& password = {});

// Credentials of a connection; empty members stand for the logged-on user's.
struct ConnectionCredentials {
    std::string userName;
    std::string password;
    bool hasUserName = false;
    bool hasPassword = false;
};

// WNetAddConnection2A with the resource fields of every mapping (global, disk, connectable,
// no comment, no provider). Credentials over their limit give ERROR_BAD_LENGTH and nothing is
// connected (callers check a path typed or stored with ConnectionLengthProblem first); the copy
// of the password handed to the network is wiped afterwards.
BASALT_API DWORD ConnectDrive(const std::string& localName, const std::string& remoteName,
                              const ConnectionCredentials& credentials, DWORD flags);
inline DWORD ConnectDrive(const std::string& localName, const std::string& remoteName, DWORD flags = 0)
{
    return ConnectDrive(localName, remoteName, ConnectionCredentials{}, flags);
}

// Disconnects a local name and forgets it for the next log-on. When files are open on it the
// user is asked whether to disconnect anyway (owner null: the foreground window).
enum class DisconnectOutcome { Disconnected, Refused, Failed };
struct DisconnectResult {
    DisconnectOutcome outcome;
    DWORD error;   // the last answer of the network
    bool forced;   // the user agreed to disconnect with files open
};
BASALT_API DisconnectResult DisconnectDrive(const std::string& localName, HWND owner);

// Overwrites a buffer that held a password, in a way the compiler keeps.
BASALT_API void WipeSecret(std::string& secret);
