#include "network_description.h"

#include <algorithm>

namespace simnet {
namespace {

bool IsNameCharacter(char c) noexcept
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
           c == '_' || c == '-' || c == '.' || c == '$';
}

// Empty when the name is acceptable, else the reason it is not.
std::string CheckName(std::string_view name, size_t maxLength, const char* what)
{
    if (name.empty()) return std::string("missing ") + what + " name";
    if (name.size() > maxLength) return std::string(what) + " name too long";
    if (name.front() == '.') return std::string(what) + " name starts with '.'";
    if (!std::all_of(name.begin(), name.end(), IsNameCharacter))
        return std::string("invalid character in ") + what + " name";
    return {};
}

std::string CheckComment(std::string_view comment)
{
    if (comment.size() > NetworkDescription::kMaxCommentLength) return "comment too long";
    for (char c : comment) {
        if (c < 0x20 || c > 0x7e || c == '|') return "invalid character in comment";
    }
    return {};
}

// Names and comments are ASCII by then, so widening is exact.
std::wstring Widen(std::string_view text)
{
    return std::wstring(text.begin(), text.end());
}

std::vector<std::string_view> SplitPath(std::string_view path)
{
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (;;) {
        size_t slash = path.find('\\', start);
        parts.push_back(path.substr(start, slash == std::string_view::npos ? slash : slash - start));
        if (slash == std::string_view::npos) return parts;
        start = slash + 1;
    }
}

constexpr std::string_view kDeadMark = " @dead";

// "NAME MS": blanks between, nothing after but blanks; false for anything else.
bool ParseSetting(std::string_view line, std::string_view name, unsigned& milliseconds)
{
    if (line.substr(0, name.size()) != name) return false;
    line.remove_prefix(name.size());
    size_t digits = line.find_first_not_of(" \t");
    if (digits == 0 || digits == std::string_view::npos) return false;
    line.remove_prefix(digits);
    size_t end = line.find_first_not_of("0123456789");
    std::string_view number = line.substr(0, end);
    if (number.empty() || number.size() > 6 || line.find_first_not_of(" \t", number.size()) != std::string_view::npos)
        return false;
    unsigned value = 0;
    for (char c : number) value = value * 10 + static_cast<unsigned>(c - '0');
    if (value > NetworkDescription::kMaxTimeMs) return false;
    milliseconds = value;
    return true;
}

wchar_t FoldCase(wchar_t c) noexcept
{
    return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

}  // namespace

bool SameName(std::wstring_view a, std::wstring_view b) noexcept
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](wchar_t x, wchar_t y) { return FoldCase(x) == FoldCase(y); });
}

NetworkDescription NetworkDescription::Parse(std::string_view text)
{
    NetworkDescription description;
    unsigned lineNumber = 0;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        description.AddLine(line, lineNumber);
    }
    return description;
}

void NetworkDescription::AddLine(std::string_view line, unsigned lineNumber)
{
    auto refuse = [&](std::string reason) { refused_.push_back({lineNumber, std::move(reason)}); };

    if (line.size() > kMaxLineLength) return refuse("line too long");
    size_t firstUsed = line.find_first_not_of(" \t");
    if (firstUsed == std::string_view::npos || line[firstUsed] == '#') return;
    if (line.front() == '@') {
        if (std::string reason = AddSetting(line); !reason.empty()) return refuse(reason);
        return;
    }

    size_t bar = line.find('|');
    std::string_view path = line.substr(0, bar);
    std::string_view comment = bar == std::string_view::npos ? std::string_view() : line.substr(bar + 1);
    if (std::string reason = CheckComment(comment); !reason.empty()) return refuse(reason);

    std::vector<std::string_view> parts = SplitPath(path);
    if (parts.size() < 2) return refuse("expected DOMAIN\\SERVER or DOMAIN\\SERVER\\SHARE");
    if (parts.size() > 3) return refuse("too many path parts");
    if (std::string reason = CheckName(parts[0], kMaxHostNameLength, "domain"); !reason.empty())
        return refuse(reason);
    if (std::string reason = CheckName(parts[1], kMaxHostNameLength, "server"); !reason.empty())
        return refuse(reason);
    if (parts.size() == 3) {
        if (std::string reason = CheckName(parts[2], kMaxShareNameLength, "share"); !reason.empty())
            return refuse(reason);
    }

    std::wstring domainName = Widen(parts[0]);
    std::wstring serverName = Widen(parts[1]);
    Domain* domain = nullptr;
    Server* server = nullptr;
    for (Domain& d : domains_) {
        if (SameName(d.name, domainName)) domain = &d;
        for (Server& s : d.servers) {
            if (!SameName(s.name, serverName)) continue;
            // A server name is unique on the whole network, whatever its domain.
            if (!SameName(d.name, domainName)) return refuse("server already listed in another domain");
            server = &s;
        }
    }
    if (!domain) domain = &domains_.emplace_back(Domain{domainName, {}});
    if (!server) server = &domain->servers.emplace_back(Server{serverName, {}, {}});

    if (parts.size() == 2) {
        if (comment.size() >= kDeadMark.size() && comment.substr(comment.size() - kDeadMark.size()) == kDeadMark) {
            server->dead = true;
            comment.remove_suffix(kDeadMark.size());
        }
        if (!comment.empty()) server->comment = Widen(comment);
        return;
    }
    std::wstring shareName = Widen(parts[2]);
    if (FindShare(*server, shareName)) return refuse("share already listed");
    server->shares.push_back({shareName, Widen(comment)});
}

std::string NetworkDescription::AddSetting(std::string_view line)
{
    if (ParseSetting(line, "@latency", latencyMs_) || ParseSetting(line, "@timeout", timeoutMs_)) return {};
    return "expected @latency MS or @timeout MS, at most " + std::to_string(kMaxTimeMs);
}

const Domain* NetworkDescription::FindDomain(std::wstring_view name) const noexcept
{
    auto it = std::find_if(domains_.begin(), domains_.end(),
                           [&](const Domain& d) { return SameName(d.name, name); });
    return it == domains_.end() ? nullptr : &*it;
}

const Server* NetworkDescription::FindServer(std::wstring_view name) const noexcept
{
    for (const Domain& domain : domains_) {
        for (const Server& server : domain.servers) {
            if (SameName(server.name, name)) return &server;
        }
    }
    return nullptr;
}

const Share* NetworkDescription::FindShare(const Server& server, std::wstring_view name) const noexcept
{
    auto it = std::find_if(server.shares.begin(), server.shares.end(),
                           [&](const Share& s) { return SameName(s.name, name); });
    return it == server.shares.end() ? nullptr : &*it;
}

}  // namespace simnet
