#include "slp_wire.h"

#include <algorithm>
#include <limits>

namespace slp_wire {
namespace {

constexpr std::size_t kMaxMessageLength = 0xFFFFFF;

class Writer {
public:
    void U8(std::uint8_t value) { bytes_.push_back(value); }
    void U16(std::uint16_t value)
    {
        U8(static_cast<std::uint8_t>(value >> 8));
        U8(static_cast<std::uint8_t>(value));
    }
    void U24(std::uint32_t value)
    {
        U8(static_cast<std::uint8_t>(value >> 16));
        U16(static_cast<std::uint16_t>(value));
    }
    bool String(const std::string& text)
    {
        if (text.size() > std::numeric_limits<std::uint16_t>::max())
            return false;
        U16(static_cast<std::uint16_t>(text.size()));
        bytes_.insert(bytes_.end(), text.begin(), text.end());
        return true;
    }
    void Header(const slp_wire::Header& header, Function function)
    {
        U8(kVersion);
        U8(static_cast<std::uint8_t>(function));
        U24(0); // patched by Finish
        U16(header.flags);
        U24(0); // no extensions
        U16(header.xid);
    }
    std::optional<Bytes> Finish()
    {
        if (bytes_.size() > kMaxMessageLength)
            return std::nullopt;
        const auto length = static_cast<std::uint32_t>(bytes_.size());
        bytes_[2] = static_cast<std::uint8_t>(length >> 16);
        bytes_[3] = static_cast<std::uint8_t>(length >> 8);
        bytes_[4] = static_cast<std::uint8_t>(length);
        return std::move(bytes_);
    }

private:
    Bytes bytes_;
};

// Reads forward through [data, data + size); every read fails rather than pass the end.
class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::size_t Offset() const { return offset_; }
    std::size_t Remaining() const { return size_ - offset_; }

    bool U8(std::uint8_t& value)
    {
        if (Remaining() < 1)
            return false;
        value = data_[offset_++];
        return true;
    }
    bool U16(std::uint16_t& value)
    {
        if (Remaining() < 2)
            return false;
        value = static_cast<std::uint16_t>(data_[offset_] << 8 | data_[offset_ + 1]);
        offset_ += 2;
        return true;
    }
    bool U24(std::uint32_t& value)
    {
        if (Remaining() < 3)
            return false;
        value = static_cast<std::uint32_t>(data_[offset_]) << 16 |
                static_cast<std::uint32_t>(data_[offset_ + 1]) << 8 | data_[offset_ + 2];
        offset_ += 3;
        return true;
    }
    bool Skip(std::size_t count)
    {
        if (Remaining() < count)
            return false;
        offset_ += count;
        return true;
    }
    bool Text(std::size_t length, std::string& text)
    {
        if (Remaining() < length)
            return false;
        text.assign(reinterpret_cast<const char*>(data_ + offset_), length);
        offset_ += length;
        return true;
    }
    bool String(std::string& text)
    {
        std::uint16_t length = 0;
        return U16(length) && Text(length, text);
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t offset_ = 0;
};

bool HasZeroByte(const std::string& text) { return text.find('\0') != std::string::npos; }

// Reads the header and returns a reader limited to the message body (up to the first
// extension, when there is one).
std::optional<Reader> ReadHeader(const std::uint8_t* data, std::size_t size, Header& header)
{
    if (data == nullptr)
        return std::nullopt;
    Reader reader(data, size);
    std::uint8_t version = 0;
    std::uint8_t function = 0;
    std::uint32_t length = 0;
    std::uint32_t extensionOffset = 0;
    if (!reader.U8(version) || !reader.U8(function) || !reader.U24(length) ||
        !reader.U16(header.flags) || !reader.U24(extensionOffset) || !reader.U16(header.xid))
        return std::nullopt;
    // A reply too large for one datagram arrives cut short, flagged, and may still announce
    // its full length.
    const bool truncated = (header.flags & kFlagOverflow) != 0 && length > size;
    if (version != kVersion || (length != size && !truncated))
        return std::nullopt;
    header.function = static_cast<Function>(function);
    if (!reader.String(header.language))
        return std::nullopt;
    std::size_t bodyEnd = size;
    if (extensionOffset != 0) {
        if (extensionOffset < reader.Offset() || extensionOffset >= size)
            return std::nullopt;
        bodyEnd = extensionOffset;
    }
    const std::size_t bodyStart = reader.Offset();
    return Reader(data + bodyStart, bodyEnd - bodyStart);
}

std::optional<Reader> ReadHeaderOf(Function expected, const std::uint8_t* data, std::size_t size,
                                   Header& header)
{
    auto body = ReadHeader(data, size, header);
    if (!body || header.function != expected)
        return std::nullopt;
    return body;
}

// Authentication blocks are not checked (no keys are configured), only stepped over safely.
bool SkipAuthenticationBlocks(Reader& reader)
{
    std::uint8_t count = 0;
    if (!reader.U8(count))
        return false;
    for (std::uint8_t i = 0; i < count; ++i) {
        std::uint16_t descriptor = 0;
        std::uint16_t length = 0;
        // The length covers the whole block: descriptor, length, timestamp, SPI length at least.
        if (!reader.U16(descriptor) || !reader.U16(length) || length < 10 || !reader.Skip(length - 4u))
            return false;
    }
    return true;
}

} // namespace

std::optional<Bytes> EncodeServiceRequest(const ServiceRequest& request)
{
    Writer writer;
    writer.Header(request.header, Function::ServiceRequest);
    if (!writer.String(request.header.language) || !writer.String(request.previousResponders) ||
        !writer.String(request.serviceType) || !writer.String(request.scopes) ||
        !writer.String(request.predicate) || !writer.String(request.securityIndex))
        return std::nullopt;
    return writer.Finish();
}

std::optional<Bytes> EncodeAttributeRequest(const AttributeRequest& request)
{
    Writer writer;
    writer.Header(request.header, Function::AttributeRequest);
    if (!writer.String(request.header.language) || !writer.String(request.previousResponders) ||
        !writer.String(request.url) || !writer.String(request.scopes) ||
        !writer.String(request.tags) || !writer.String(request.securityIndex))
        return std::nullopt;
    return writer.Finish();
}

std::optional<Bytes> EncodeServiceReply(const ServiceReply& reply)
{
    if (reply.urls.size() > std::numeric_limits<std::uint16_t>::max())
        return std::nullopt;
    Writer writer;
    writer.Header(reply.header, Function::ServiceReply);
    if (!writer.String(reply.header.language))
        return std::nullopt;
    writer.U16(reply.error);
    writer.U16(static_cast<std::uint16_t>(reply.urls.size()));
    for (const UrlEntry& entry : reply.urls) {
        writer.U8(0);
        writer.U16(entry.lifetime);
        if (!writer.String(entry.url))
            return std::nullopt;
        writer.U8(0);
    }
    return writer.Finish();
}

std::optional<Bytes> EncodeAttributeReply(const AttributeReply& reply)
{
    Writer writer;
    writer.Header(reply.header, Function::AttributeReply);
    if (!writer.String(reply.header.language))
        return std::nullopt;
    writer.U16(reply.error);
    if (!writer.String(reply.attributes))
        return std::nullopt;
    writer.U8(0);
    return writer.Finish();
}

std::optional<Header> DecodeHeader(const std::uint8_t* data, std::size_t size)
{
    Header header;
    if (!ReadHeader(data, size, header))
        return std::nullopt;
    return header;
}

std::optional<ServiceRequest> DecodeServiceRequest(const std::uint8_t* data, std::size_t size)
{
    ServiceRequest request;
    auto body = ReadHeaderOf(Function::ServiceRequest, data, size, request.header);
    if (!body || !body->String(request.previousResponders) || !body->String(request.serviceType) ||
        !body->String(request.scopes) || !body->String(request.predicate) ||
        !body->String(request.securityIndex))
        return std::nullopt;
    return request;
}

std::optional<AttributeRequest> DecodeAttributeRequest(const std::uint8_t* data, std::size_t size)
{
    AttributeRequest request;
    auto body = ReadHeaderOf(Function::AttributeRequest, data, size, request.header);
    if (!body || !body->String(request.previousResponders) || !body->String(request.url) ||
        !body->String(request.scopes) || !body->String(request.tags) ||
        !body->String(request.securityIndex))
        return std::nullopt;
    return request;
}

std::optional<ServiceReply> DecodeServiceReply(const std::uint8_t* data, std::size_t size)
{
    ServiceReply reply;
    auto body = ReadHeaderOf(Function::ServiceReply, data, size, reply.header);
    if (!body || !body->U16(reply.error))
        return std::nullopt;
    // An error reply may end right after its code.
    if (reply.error != kErrorNone)
        return reply;
    std::uint16_t count = 0;
    if (!body->U16(count))
        return std::nullopt;
    const bool overflowed = (reply.header.flags & kFlagOverflow) != 0;
    // Each entry takes at least 6 bytes: no count can promise more entries than fit, unless the
    // reply says it was cut short.
    if (count > body->Remaining() / 6 && !overflowed)
        return std::nullopt;
    reply.urls.reserve(std::min<std::size_t>(count, body->Remaining() / 6));
    for (std::uint16_t i = 0; i < count; ++i) {
        UrlEntry entry;
        if (!body->Skip(1) || !body->U16(entry.lifetime) || !body->String(entry.url) ||
            !SkipAuthenticationBlocks(*body)) {
            // The entries before the cut are whole and usable.
            if (overflowed)
                break;
            return std::nullopt;
        }
        if (HasZeroByte(entry.url))
            return std::nullopt;
        reply.urls.push_back(std::move(entry));
    }
    return reply;
}

std::optional<AttributeReply> DecodeAttributeReply(const std::uint8_t* data, std::size_t size)
{
    AttributeReply reply;
    auto body = ReadHeaderOf(Function::AttributeReply, data, size, reply.header);
    if (!body || !body->U16(reply.error))
        return std::nullopt;
    if (reply.error != kErrorNone)
        return reply;
    if (!body->String(reply.attributes) || HasZeroByte(reply.attributes) ||
        !SkipAuthenticationBlocks(*body))
        return std::nullopt;
    return reply;
}

} // namespace slp_wire
