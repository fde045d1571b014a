// SLP replies are datagrams from any host on the network.

#include "slp_wire.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // What is taken from a reply survives being written out and read again unchanged.
    if (const auto reply = slp_wire::DecodeServiceReply(data, size)) {
        const auto bytes = slp_wire::EncodeServiceReply(*reply);
        if (!bytes)
            std::abort();
        const auto again = slp_wire::DecodeServiceReply(bytes->data(), bytes->size());
        if (!again || again->error != reply->error || again->urls.size() != reply->urls.size())
            std::abort();
        for (std::size_t i = 0; i < reply->urls.size(); ++i) {
            if (again->urls[i].url != reply->urls[i].url || again->urls[i].lifetime != reply->urls[i].lifetime)
                std::abort();
        }
    }
    if (const auto reply = slp_wire::DecodeAttributeReply(data, size)) {
        const auto bytes = slp_wire::EncodeAttributeReply(*reply);
        if (!bytes)
            std::abort();
        const auto again = slp_wire::DecodeAttributeReply(bytes->data(), bytes->size());
        if (!again || again->attributes != reply->attributes)
            std::abort();
    }
    slp_wire::DecodeServiceRequest(data, size);
    slp_wire::DecodeAttributeRequest(data, size);
    return 0;
}
