// The simulated network: domains, servers and disk shares read from a description file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace simnet {

struct Share {
    std::wstring name;
    std::wstring comment;
};

struct Server {
    std::wstring name;
    std::wstring comment;
    std::vector<Share> shares;
    // Listed, but answers no listing of its shares.
    bool dead = false;
};

struct Domain {
    std::wstring name;
    std::vector<Server> servers;
};

// A refused line of the description and why it was refused.
struct RefusedLine {
    unsigned lineNumber;
    std::string reason;
};

// Format, one entry a line (blank lines and lines starting with '#' are ignored):
//   DOMAIN\SERVER[|comment]          a server without shares (or the server's comment)
//   DOMAIN\SERVER\SHARE[|comment]    a disk share of that server
//   @latency MS                      what every call that names a server costs (default 0)
//   @timeout MS                      how long a dead server keeps a caller waiting (3000)
// Domain and server names: 1 to 15 characters, share names 1 to 80, of A-Z a-z 0-9 _ - . $,
// not starting with '.'. Comments: printable ASCII except '|', at most 255 characters; a
// server's comment that ends with " @dead" makes the server dead (the mark is not part of the
// comment). Times: 0 to 600000 milliseconds, the last line of each kind counts.
// Lines longer than 512 characters are refused. A bad line is refused on its own; the others
// still count. Names compare without regard to case.
class NetworkDescription {
public:
    static constexpr size_t kMaxLineLength = 512;
    static constexpr size_t kMaxHostNameLength = 15;
    static constexpr size_t kMaxShareNameLength = 80;
    static constexpr size_t kMaxCommentLength = 255;
    static constexpr unsigned kMaxTimeMs = 600000;
    static constexpr unsigned kDefaultTimeoutMs = 3000;

    static NetworkDescription Parse(std::string_view text);

    unsigned LatencyMs() const noexcept { return latencyMs_; }
    unsigned TimeoutMs() const noexcept { return timeoutMs_; }
    const std::vector<Domain>& Domains() const noexcept { return domains_; }
    const std::vector<RefusedLine>& Refused() const noexcept { return refused_; }

    const Domain* FindDomain(std::wstring_view name) const noexcept;
    const Server* FindServer(std::wstring_view name) const noexcept;
    const Share* FindShare(const Server& server, std::wstring_view name) const noexcept;

private:
    void AddLine(std::string_view line, unsigned lineNumber);
    // Empty when the "@..." line was taken, else the reason it was not.
    std::string AddSetting(std::string_view line);

    unsigned latencyMs_ = 0;
    unsigned timeoutMs_ = kDefaultTimeoutMs;
    std::vector<Domain> domains_;
    std::vector<RefusedLine> refused_;
};

bool SameName(std::wstring_view a, std::wstring_view b) noexcept;

}  // namespace simnet
