#pragma once

// SLPv2 messages (RFC 2608) to and from bytes. Nothing here needs the Windows headers, so the
// decoders can be built natively and fuzzed. Every decoder treats its input as hostile: it
// checks each length and count against the bytes it was given and refuses the whole message
// when anything does not fit.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace slp_wire {

enum class Function : std::uint8_t {
    ServiceRequest = 1,
    ServiceReply = 2,
    AttributeRequest = 6,
    AttributeReply = 7,
};

constexpr std::uint8_t kVersion = 2;
constexpr std::uint16_t kFlagOverflow = 0x8000;
constexpr std::uint16_t kFlagFresh = 0x4000;
constexpr std::uint16_t kFlagMulticast = 0x2000;
// Version, function, length (3), flags (2), extension offset (3), XID (2), language length (2).
constexpr std::size_t kFixedHeaderSize = 14;
// Error codes carried in replies.
constexpr std::uint16_t kErrorNone = 0;
constexpr std::uint16_t kErrorParse = 2;

using Bytes = std::vector<std::uint8_t>;

struct Header {
    Function function = Function::ServiceRequest;
    std::uint16_t flags = 0;
    std::uint16_t xid = 0;
    std::string language;
};

struct ServiceRequest {
    Header header;
    std::string previousResponders;
    std::string serviceType;
    std::string scopes;
    std::string predicate;
    std::string securityIndex;
};

struct AttributeRequest {
    Header header;
    std::string previousResponders;
    std::string url;
    std::string scopes;
    std::string tags;
    std::string securityIndex;
};

struct UrlEntry {
    std::uint16_t lifetime = 0;
    std::string url;
};

struct ServiceReply {
    Header header;
    std::uint16_t error = kErrorNone;
    std::vector<UrlEntry> urls;
};

struct AttributeReply {
    Header header;
    std::uint16_t error = kErrorNone;
    std::string attributes;
};

// Encoders return nothing when a string is too long for its 16-bit length field or the
// message for its 24-bit one. The header's function is set by the encoder.
std::optional<Bytes> EncodeServiceRequest(const ServiceRequest& request);
std::optional<Bytes> EncodeAttributeRequest(const AttributeRequest& request);
std::optional<Bytes> EncodeServiceReply(const ServiceReply& reply);
std::optional<Bytes> EncodeAttributeReply(const AttributeReply& reply);

// The header alone, for telling what a datagram is before decoding it whole.
std::optional<Header> DecodeHeader(const std::uint8_t* data, std::size_t size);
std::optional<ServiceRequest> DecodeServiceRequest(const std::uint8_t* data, std::size_t size);
std::optional<AttributeRequest> DecodeAttributeRequest(const std::uint8_t* data, std::size_t size);
// Replies also refuse strings with an embedded zero byte, which a C caller could not see whole.
// A Service Reply flagged as overflowed may be cut short; its whole entries are kept.
std::optional<ServiceReply> DecodeServiceReply(const std::uint8_t* data, std::size_t size);
std::optional<AttributeReply> DecodeAttributeReply(const std::uint8_t* data, std::size_t size);

} // namespace slp_wire
