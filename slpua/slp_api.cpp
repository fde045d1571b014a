// The RFC 2614 entry points over the request engine.

#include "slp.h"

#include "registry_config.h"
#include "slp_wire.h"
#include "tcp_exchange.h"
#include "udp_port.h"

#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <system_error>
#include <thread>

namespace {

constexpr const char* kDefaultLanguage = "en";

class ManualResetEvent {
public:
    ManualResetEvent() : handle_(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    ~ManualResetEvent()
    {
        if (handle_)
            ::CloseHandle(handle_);
    }
    ManualResetEvent(const ManualResetEvent&) = delete;
    ManualResetEvent& operator=(const ManualResetEvent&) = delete;
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

std::uint16_t NextXid()
{
    // Start somewhere unpredictable so that two processes rarely share XIDs.
    static std::atomic<unsigned> next{::GetTickCount() ^ ::GetCurrentProcessId() << 8};
    return static_cast<std::uint16_t>(next.fetch_add(1));
}

} // namespace

struct SLPHandleState {
    std::string language;
    bool async = false;
    slp_ua::AgentConfig config;
    slp_ua::WinsockSession winsock;
    ManualResetEvent cancel;
    // The socket of the latest request. Every request gets a socket of its own, opened before
    // the previous one closes, so that no two requests in a row share a port: a late or broken
    // answer to an earlier request can carry any XID, a later request's included, and must
    // never be read as the answer to that one.
    std::unique_ptr<slp_ua::UdpPort> port;
    std::atomic<bool> busy{false};
    // The thread inside a request of this handle, so that a close from a callback can be told.
    std::atomic<DWORD> requestThread{0};
    bool closeWhenDone = false;
    std::thread worker;
};

namespace {

// The end of a request reported through its callback: the final call, or an error.
SLPError Conclude(slp_ua::Outcome outcome, const std::function<void(SLPError)>& finalCall)
{
    switch (outcome) {
    case slp_ua::Outcome::Completed:
        finalCall(SLP_LAST_CALL);
        return SLP_OK;
    case slp_ua::Outcome::Stopped:
    case slp_ua::Outcome::Cancelled:
        return SLP_OK;
    case slp_ua::Outcome::RequestTooLong:
        finalCall(SLP_PARAMETER_BAD);
        return SLP_PARAMETER_BAD;
    case slp_ua::Outcome::NetworkError:
        break;
    }
    finalCall(SLP_NETWORK_ERROR);
    return SLP_NETWORK_ERROR;
}

// False when no socket could be opened; the previous one then stays.
bool OpenRequestPort(SLPHandleState& handle)
{
    auto port = std::make_unique<slp_ua::UdpPort>(handle.cancel.Get());
    if (!port->IsOpen())
        return false;
    handle.port = std::move(port);
    return true;
}

SLPError RunRequest(SLPHandleState& handle, const slp_ua::RequestBuilder& build,
                    const slp_ua::ReplyHandler& onReply,
                    const std::function<void(SLPError)>& finalCall)
{
    try {
        if (!OpenRequestPort(handle)) {
            finalCall(SLP_NETWORK_ERROR);
            return SLP_NETWORK_ERROR;
        }
        return Conclude(slp_ua::RunRequest(*handle.port, handle.config.Schedule(), build, onReply), finalCall);
    } catch (const std::bad_alloc&) {
        finalCall(SLP_MEMORY_ALLOC_FAILED);
        return SLP_MEMORY_ALLOC_FAILED;
    }
}

void EndRequest(SLPHandleState* handle)
{
    handle->requestThread = 0;
    const bool closeNow = handle->closeWhenDone;
    handle->busy = false;
    if (closeNow)
        delete handle;
}

// Runs the request now (synchronous handle) or on the handle's thread (asynchronous handle).
SLPError Submit(SLPHandleState* handle, std::function<SLPError()> request)
{
    if (handle->busy.exchange(true))
        return SLP_HANDLE_IN_USE;
    ::ResetEvent(handle->cancel.Get());
    if (!handle->async) {
        handle->requestThread = ::GetCurrentThreadId();
        const SLPError result = request();
        EndRequest(handle);
        return result;
    }
    // The previous request's thread has made its last call already (the handle was not busy).
    if (handle->worker.joinable())
        handle->worker.join();
    try {
        handle->worker = std::thread([handle, request = std::move(request)] {
            handle->requestThread = ::GetCurrentThreadId();
            request();
            EndRequest(handle);
        });
    } catch (const std::system_error&) {
        handle->busy = false;
        return SLP_INTERNAL_SYSTEM_ERROR;
    }
    return SLP_OK;
}

slp_wire::Header RequestHeader(const SLPHandleState& handle, std::uint16_t xid, bool multicast)
{
    slp_wire::Header header;
    header.xid = xid;
    header.flags = multicast ? slp_wire::kFlagMulticast : 0;
    header.language = handle.language;
    return header;
}

// The reply as its datagram carries it or, when the sender flagged this reply to our request
// as cut short, as the sender sends it whole over TCP. The datagram stands when that fails.
slp_ua::Bytes WholeReply(SLPHandleState& handle, const slp_ua::Bytes& datagram,
                         const slp_ua::Endpoint& from, slp_wire::Function function, std::uint16_t xid,
                         const std::function<std::optional<slp_ua::Bytes>()>& unicastRequest)
{
    const auto header = slp_wire::DecodeHeader(datagram.data(), datagram.size());
    if (!header || header->function != function || header->xid != xid ||
        (header->flags & slp_wire::kFlagOverflow) == 0)
        return datagram;
    const std::optional<slp_ua::Bytes> request = unicastRequest();
    if (!request)
        return datagram;
    // Configured agents are asked where they are configured; others on the SLP port, since a
    // datagram may come from any port of theirs.
    const auto& agents = handle.config.agents;
    const std::optional<std::size_t> configured = slp_ua::AgentAnswering(agents, from);
    const slp_ua::Endpoint agent = configured ? agents[*configured] : slp_ua::Endpoint{from.address, handle.config.port};
    const unsigned timeoutMs = *std::max_element(handle.config.timeoutsMs.begin(), handle.config.timeoutsMs.end());
    auto whole = slp_ua::ExchangeOverTcp(agent, *request, handle.cancel.Get(), timeoutMs);
    return whole ? std::move(*whole) : datagram;
}

// The answers to one request, each a whole reply of the request's XID.
using ReplyDelivery = std::function<slp_ua::Verdict(const slp_ua::Bytes& reply, std::uint16_t xid)>;

// Submits a request of either kind: multicast convergence with the growing list of previous
// responders, replies cut short fetched whole over TCP, every reply to deliver, and the
// callback's final call to finalCall. A request that cannot be encoded is refused at once.
template <class Request>
SLPError SubmitRequest(SLPHandleState* handle, Request request, slp_wire::Function replyFunction,
                       std::optional<slp_ua::Bytes> (*encode)(const Request&), ReplyDelivery deliver,
                       std::function<void(SLPError)> finalCall)
{
    request.header = RequestHeader(*handle, NextXid(), false);
    if (!encode(request))
        return SLP_PARAMETER_BAD;
    return Submit(handle, [handle, request, replyFunction, encode, deliver, finalCall]() mutable {
        const std::uint16_t xid = request.header.xid;
        auto build = [&](const std::string& responders, bool multicast) {
            request.header = RequestHeader(*handle, xid, multicast);
            request.previousResponders = responders;
            return encode(request);
        };
        auto onReply = [&](const slp_ua::Bytes& datagram, const slp_ua::Endpoint& from) {
            return deliver(WholeReply(*handle, datagram, from, replyFunction, xid,
                                      [&] { return build(std::string(), false); }),
                           xid);
        };
        return RunRequest(*handle, build, onReply, finalCall);
    });
}

} // namespace

extern "C" SLPError SLPOpen(const char* pcLang, SLPBoolean isAsync, SLPHandle* phSLP)
{
    if (phSLP == nullptr)
        return SLP_PARAMETER_BAD;
    *phSLP = nullptr;
    try {
        auto config = slp_ua::ReadAgentConfig();
        if (!config)
            return SLP_PARSE_ERROR;
        auto handle = std::make_unique<SLPHandleState>();
        if (!handle->winsock.IsReady())
            return SLP_NETWORK_INIT_FAILED;
        if (handle->cancel.Get() == nullptr)
            return SLP_INTERNAL_SYSTEM_ERROR;
        // Tells at once whether the network can be used at all.
        if (!OpenRequestPort(*handle))
            return SLP_NETWORK_INIT_FAILED;
        handle->language = pcLang != nullptr && *pcLang != '\0' ? pcLang : kDefaultLanguage;
        handle->async = isAsync == SLP_TRUE;
        handle->config = std::move(*config);
        *phSLP = handle.release();
        return SLP_OK;
    } catch (const std::bad_alloc&) {
        return SLP_MEMORY_ALLOC_FAILED;
    }
}

extern "C" void SLPClose(SLPHandle hSLP)
{
    if (hSLP == nullptr)
        return;
    ::SetEvent(hSLP->cancel.Get());
    if (hSLP->requestThread == ::GetCurrentThreadId()) {
        // Inside one of the handle's callbacks: the request ends when it returns, and frees it.
        if (hSLP->worker.joinable())
            hSLP->worker.detach();
        hSLP->closeWhenDone = true;
        return;
    }
    if (hSLP->worker.joinable())
        hSLP->worker.join();
    delete hSLP;
}

extern "C" SLPError SLPFindSrvs(SLPHandle hSLP, const char* pcServiceType, const char* pcScopeList,
                                const char* pcSearchFilter, SLPSrvURLCallback* callback,
                                void* pvCookie)
{
    if (hSLP == nullptr || pcServiceType == nullptr || *pcServiceType == '\0' ||
        pcScopeList == nullptr || pcSearchFilter == nullptr || callback == nullptr)
        return SLP_PARAMETER_BAD;
    try {
        slp_wire::ServiceRequest request;
        request.serviceType = pcServiceType;
        request.scopes = pcScopeList;
        request.predicate = pcSearchFilter;
        return SubmitRequest(
            hSLP, std::move(request), slp_wire::Function::ServiceReply, &slp_wire::EncodeServiceRequest,
            [hSLP, callback, pvCookie](const slp_ua::Bytes& message, std::uint16_t xid) {
                const auto reply = slp_wire::DecodeServiceReply(message.data(), message.size());
                if (!reply || reply->header.xid != xid)
                    return slp_ua::Verdict::Dropped;
                for (const slp_wire::UrlEntry& entry : reply->urls) {
                    if (callback(hSLP, entry.url.c_str(), entry.lifetime, SLP_OK, pvCookie) == SLP_FALSE)
                        return slp_ua::Verdict::Stop;
                }
                return slp_ua::Verdict::Accepted;
            },
            [hSLP, callback, pvCookie](SLPError code) { callback(hSLP, nullptr, 0, code, pvCookie); });
    } catch (const std::bad_alloc&) {
        return SLP_MEMORY_ALLOC_FAILED;
    }
}

extern "C" SLPError SLPFindAttrs(SLPHandle hSLP, const char* pcURLOrServiceType,
                                 const char* pcScopeList, const char* pcAttrIds,
                                 SLPAttrCallback* callback, void* pvCookie)
{
    if (hSLP == nullptr || pcURLOrServiceType == nullptr || *pcURLOrServiceType == '\0' ||
        pcScopeList == nullptr || pcAttrIds == nullptr || callback == nullptr)
        return SLP_PARAMETER_BAD;
    try {
        slp_wire::AttributeRequest request;
        request.url = pcURLOrServiceType;
        request.scopes = pcScopeList;
        request.tags = pcAttrIds;
        return SubmitRequest(
            hSLP, std::move(request), slp_wire::Function::AttributeReply, &slp_wire::EncodeAttributeRequest,
            [hSLP, callback, pvCookie](const slp_ua::Bytes& message, std::uint16_t xid) {
                const auto reply = slp_wire::DecodeAttributeReply(message.data(), message.size());
                if (!reply || reply->header.xid != xid)
                    return slp_ua::Verdict::Dropped;
                // An agent that reports an error has answered, with nothing to pass on.
                if (reply->error != slp_wire::kErrorNone)
                    return slp_ua::Verdict::Accepted;
                return callback(hSLP, reply->attributes.c_str(), SLP_OK, pvCookie) == SLP_FALSE
                           ? slp_ua::Verdict::Stop
                           : slp_ua::Verdict::Accepted;
            },
            [hSLP, callback, pvCookie](SLPError code) { callback(hSLP, nullptr, code, pvCookie); });
    } catch (const std::bad_alloc&) {
        return SLP_MEMORY_ALLOC_FAILED;
    }
}
