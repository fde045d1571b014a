#include "storage_server_finder.h"

#include "logging/logging.h"
#include "lumivex_service.h"
#include "slp_ts_box_search.h"
#include "text/ansi_text.h"

#include <memory>
#include <mutex>
#include <system_error>

namespace {

// Longest text the database keeps for a location, less the two leading backslashes.
constexpr size_t kMaxServerName = 253;

// Collects the names of the storage servers that the search hands over.
class ServerNameReply : public DiscoveryReplyInterface {
public:
    void ServiceFound(LumivexService* found) noexcept override
    {
        const std::unique_ptr<LumivexService> service(found);
        try {
            if (!service)
                return;
            std::string name;
            const wchar_t* smbName = nullptr;
            if (service->GetSMBName(smbName) && smbName && *smbName)
                name = AnsiFromWide(smbName);
            else if (service->GetURL())
                name = HostOfServiceUrl(service->GetURL());
            const std::string remoteName = StorageServerRemoteName(name);
            if (remoteName.empty()) {
                Logging::OutToLogFile("SLP search: server name refused\n");
                return;
            }
            names.push_back(remoteName);
        } catch (const std::exception& error) {
            LogFormatted("SLP search: %s\n", error.what());
        }
    }

    std::vector<std::string> names;
};

} // namespace

std::string HostOfServiceUrl(const std::string& url)
{
    const size_t scheme = url.find("://");
    if (scheme == std::string::npos)
        return {};
    const size_t start = scheme + 3;
    const size_t end = url.find_first_of(":/", start);
    return url.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

std::string StorageServerRemoteName(const std::string& name)
{
    if (name.empty() || name.size() > kMaxServerName)
        return {};
    for (unsigned char c : name) {
        // Printable, and none of the characters that separate or quote parts of a path.
        if (c < 0x21 || c == 0x7F || std::string_view("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos)
            return {};
    }
    return "\\\\" + name;
}

std::vector<std::string> FindStorageServersBySlp()
{
    ServerNameReply reply;
    SLPTSBoxSearch search;
    search.StartSearch(&reply, false);
    return std::move(reply.names);
}

struct StorageServerSearch::Shared {
    std::mutex mutex;
    bool finished = false;
    std::vector<std::string> servers;
    std::function<void()> onFinished;
};

StorageServerSearch::StorageServerSearch(std::function<void()> onFinished) : shared_(std::make_shared<Shared>())
{
    shared_->onFinished = std::move(onFinished);
    try {
        thread_ = std::thread([shared = shared_] {
            std::vector<std::string> servers;
            try {
                servers = FindStorageServersBySlp();
            } catch (...) {
                Logging::OutToLogFile("SLP search: ended by an exception\n");
            }
            try {
                // Told under the lock, so that the object cannot go while it is being told.
                const std::lock_guard lock(shared->mutex);
                shared->servers = std::move(servers);
                shared->finished = true;
                if (shared->onFinished)
                    shared->onFinished();
            } catch (...) {
                Logging::OutToLogFile("SLP search: its end could not be told\n");
            }
        });
    } catch (const std::system_error& error) {
        LogFormatted("SLP search: no thread: %s\n", error.what());
        shared_->finished = true;
    }
}

StorageServerSearch::~StorageServerSearch()
{
    bool finished = false;
    {
        const std::lock_guard lock(shared_->mutex);
        shared_->onFinished = nullptr;
        finished = shared_->finished;
    }
    if (!thread_.joinable())
        return;
    if (finished)
        thread_.join();   // it is on its way out
    else
        thread_.detach(); // it ends on its own and frees what it shares
}

bool StorageServerSearch::Finished() const
{
    const std::lock_guard lock(shared_->mutex);
    return shared_->finished;
}

std::vector<std::string> StorageServerSearch::TakeServers()
{
    const std::lock_guard lock(shared_->mutex);
    return std::move(shared_->servers);
}
