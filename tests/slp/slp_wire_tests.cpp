#include "slp_wire.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// A Service Reply as it stands on the wire: XID 0x1234, language "en", one URL with an
// authentication block, written out by hand.
const Bytes kServiceReply = {
    2, 2, 0, 0, 58, 0, 0, 0, 0, 0, 0x12, 0x34, 0, 2, 'e', 'n', // header, 58 bytes in all
    0, 0, 0, 1,                                                 // no error, one URL
    0, 0x2A, 0x30, 0, 20,                                       // reserved, lifetime, length
    's', 'e', 'r', 'v', 'i', 'c', 'e', ':', 'x', ':', '/', '/', '1', '0', '.', '0', '.', '0', '.', '1',
    1,                                                          // one authentication block
    0x00, 0x02, 0, 12, 0, 0, 0, 0, 0, 0, 0xAB, 0xCD};           // 12 bytes, stepped over

TEST(SlpWireTest, ReadsAServiceReplyWrittenByHand)
{
    ASSERT_EQ(58u, kServiceReply.size());
    const auto decoded = slp_wire::DecodeServiceReply(kServiceReply.data(), kServiceReply.size());
    ASSERT_TRUE(decoded);
    EXPECT_EQ(0x1234, decoded->header.xid);
    EXPECT_EQ("en", decoded->header.language);
    ASSERT_EQ(1u, decoded->urls.size());
    EXPECT_EQ(0x2A30, decoded->urls[0].lifetime);
    EXPECT_EQ("service:x://10.0.0.1", decoded->urls[0].url);
    // An authentication block shorter than its own fixed part is refused.
    Bytes shortBlock = kServiceReply;
    shortBlock[49] = 9;
    EXPECT_FALSE(slp_wire::DecodeServiceReply(shortBlock.data(), shortBlock.size()));
}

TEST(SlpWireTest, WritesAServiceRequestByteForByte)
{
    slp_wire::ServiceRequest request;
    request.header.flags = slp_wire::kFlagMulticast;
    request.header.xid = 0xBEEF;
    request.header.language = "en";
    request.previousResponders = "10.0.0.1";
    request.serviceType = "service:a";
    request.scopes = "default";
    request.predicate = "(T=C)";
    const Bytes expected = {2, 1, 0, 0, 55, 0x20, 0, 0, 0, 0, 0xBE, 0xEF, 0, 2, 'e', 'n',
                            0, 8, '1', '0', '.', '0', '.', '0', '.', '1',
                            0, 9, 's', 'e', 'r', 'v', 'i', 'c', 'e', ':', 'a',
                            0, 7, 'd', 'e', 'f', 'a', 'u', 'l', 't',
                            0, 5, '(', 'T', '=', 'C', ')',
                            0, 0};
    const auto encoded = slp_wire::EncodeServiceRequest(request);
    ASSERT_TRUE(encoded);
    EXPECT_EQ(expected, *encoded);
}

TEST(SlpWireTest, EveryShortenedOrStretchedReplyIsRefused)
{
    slp_wire::ServiceReply reply;
    reply.header.xid = 7;
    reply.header.language = "en";
    reply.urls = {{60, "service:lumivex.orvek://a"}, {60, "service:lumivex.orvek://b"}};
    const Bytes whole = *slp_wire::EncodeServiceReply(reply);
    ASSERT_TRUE(slp_wire::DecodeServiceReply(whole.data(), whole.size()));
    for (std::size_t size = 0; size < whole.size(); ++size) {
        // The length field still claims the whole message, or is made to match the cut.
        Bytes cut(whole.begin(), whole.begin() + size);
        EXPECT_FALSE(slp_wire::DecodeServiceReply(cut.data(), cut.size())) << size;
        if (size >= 5) {
            cut[2] = 0;
            cut[3] = static_cast<std::uint8_t>(size >> 8);
            cut[4] = static_cast<std::uint8_t>(size);
            EXPECT_FALSE(slp_wire::DecodeServiceReply(cut.data(), cut.size())) << size;
        }
    }
    Bytes longer = whole;
    longer.push_back(0);
    EXPECT_FALSE(slp_wire::DecodeServiceReply(longer.data(), longer.size()));
}

TEST(SlpWireTest, AnOverflowedReplyKeepsItsWholeEntries)
{
    slp_wire::ServiceReply reply;
    reply.header.flags = slp_wire::kFlagOverflow;
    reply.header.language = "en";
    reply.urls = {{60, "service:lumivex.orvek://a"}, {60, "service:lumivex.orvek://b"}};
    const Bytes whole = *slp_wire::EncodeServiceReply(reply);
    // Cut inside the second URL; the header still announces the whole message.
    const Bytes cut(whole.begin(), whole.end() - 6);
    const auto decoded = slp_wire::DecodeServiceReply(cut.data(), cut.size());
    ASSERT_TRUE(decoded);
    ASSERT_EQ(1u, decoded->urls.size());
    EXPECT_EQ("service:lumivex.orvek://a", decoded->urls[0].url);
    // Without the flag the same cut is refused.
    Bytes unflagged = cut;
    unflagged[5] = 0;
    EXPECT_FALSE(slp_wire::DecodeServiceReply(unflagged.data(), unflagged.size()));
}

TEST(SlpWireTest, CountsLengthsAndFieldsThatDoNotFitAreRefused)
{
    slp_wire::AttributeReply attributes;
    attributes.header.language = "en";
    attributes.attributes = "(TYPE=CDS)";
    Bytes message = *slp_wire::EncodeAttributeReply(attributes);
    ASSERT_TRUE(slp_wire::DecodeAttributeReply(message.data(), message.size()));
    Bytes bad = message;
    bad[19] = 200; // attribute list longer than the message
    EXPECT_FALSE(slp_wire::DecodeAttributeReply(bad.data(), bad.size()));
    bad = message;
    bad[0] = 1;
    EXPECT_FALSE(slp_wire::DecodeAttributeReply(bad.data(), bad.size()));
    bad = message;
    bad[7] = 0;
    bad[8] = 0;
    bad[9] = 3; // extension offset inside the header
    EXPECT_FALSE(slp_wire::DecodeAttributeReply(bad.data(), bad.size()));
    // A Service Reply is not an Attribute Reply.
    EXPECT_FALSE(slp_wire::DecodeServiceReply(message.data(), message.size()));

    slp_wire::ServiceReply services;
    services.header.language = "en";
    services.urls = {{1, "u"}};
    message = *slp_wire::EncodeServiceReply(services);
    bad = message;
    bad[19] = 0xFF; // 255 URLs announced, one there
    EXPECT_FALSE(slp_wire::DecodeServiceReply(bad.data(), bad.size()));
    bad = message;
    bad.back() = 1; // an authentication block announced, none there
    EXPECT_FALSE(slp_wire::DecodeServiceReply(bad.data(), bad.size()));
    // A zero byte inside the URL would cut it short for C callers.
    services.urls = {{1, std::string("u\0v", 3)}};
    message = *slp_wire::EncodeServiceReply(services);
    EXPECT_FALSE(slp_wire::DecodeServiceReply(message.data(), message.size()));
    EXPECT_FALSE(slp_wire::DecodeServiceReply(nullptr, 0));
}

TEST(SlpWireTest, AnErrorReplyMayEndAfterItsCode)
{
    const Bytes reply = {2, 2, 0, 0, 18, 0, 0, 0, 0, 0, 0, 9, 0, 2, 'e', 'n', 0, 4};
    const auto decoded = slp_wire::DecodeServiceReply(reply.data(), reply.size());
    ASSERT_TRUE(decoded);
    EXPECT_EQ(4, decoded->error);
    EXPECT_TRUE(decoded->urls.empty());
}

TEST(SlpWireTest, RequestsSurviveTheRoundTripAndOversizedFieldsAreRefused)
{
    slp_wire::AttributeRequest request;
    request.header.xid = 99;
    request.header.language = "en";
    request.url = "service:lumivex.orvek://h";
    request.scopes = "default";
    const Bytes bytes = *slp_wire::EncodeAttributeRequest(request);
    const auto decoded = slp_wire::DecodeAttributeRequest(bytes.data(), bytes.size());
    ASSERT_TRUE(decoded);
    EXPECT_EQ(99, decoded->header.xid);
    EXPECT_EQ(request.url, decoded->url);
    EXPECT_EQ("default", decoded->scopes);
    EXPECT_TRUE(decoded->tags.empty());

    request.url.assign(70000, 'x');
    EXPECT_FALSE(slp_wire::EncodeAttributeRequest(request));
}

} // namespace
