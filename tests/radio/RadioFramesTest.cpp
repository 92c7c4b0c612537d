// Protocol framing and parsing, as pure functions without a transport.

#include "radio/RadioFrames.h"

#include <gtest/gtest.h>

using namespace tavo::frames;

namespace {

struct Parsed {
    ReplyParser::Result result = ReplyParser::Result::More;
    size_t consumed = 0;
    ReplyParser parser;
};

Parsed Parse(const Bytes &bytes, bool ack = true)
{
    Parsed p;
    p.parser.Reset(ack);
    for (uint8_t b : bytes) {
        ++p.consumed;
        p.result = p.parser.Feed(b);
        if (p.result != ReplyParser::Result::More)
            break;
    }
    return p;
}

} // namespace

TEST(RadioFrames, WorkedChecksumsOfTheFixedRequests)
{
    EXPECT_EQ(ResetRequest(), (Bytes{0xFF, 0x10, 0x00, 0x01, 0xEF}));
    EXPECT_EQ(LinkStartRequest(), (Bytes{0xF2, 0x22, 0x16, 0xD5}));
    EXPECT_EQ(FirmwareVersionRequest(), (Bytes{0xF2, 0x23, 0x03, 0xE7}));
    EXPECT_EQ(MemoryStatusRequest(), (Bytes{0xF2, 0x23, 0x09, 0xE1}));
    EXPECT_EQ(Checksum(Bytes{0xFF, 0x10, 0x00, 0x01}), 0xEF);
}

TEST(RadioFrames, ChecksumIsTheComplementOfTheByteSum)
{
    EXPECT_EQ(Checksum(Bytes{}), 0xFF);
    EXPECT_EQ(Checksum(Bytes{0xFF}), 0x00);
    EXPECT_EQ(Checksum(Bytes{0x80, 0x80, 0x01}), 0xFE); // 0x101 mod 256 = 1
}

TEST(RadioFrames, MemoryRequestsCarryCountAndBigEndianAddress)
{
    const Bytes read = ReadMemoryRequest(0x10E18, 32);
    ASSERT_EQ(read.size(), 9u);
    EXPECT_EQ(read, (Bytes{0xFF, 0x11, 0x00, 0x05, 0x20, 0x01, 0x0E, 0x18, Checksum(read.data(), 8)}));

    const uint8_t data[3] = {0xAA, 0xBB, 0xCC};
    const Bytes write = WriteMemoryRequest(0x20466, data, 3);
    EXPECT_EQ(write, (Bytes{0xFF, 0x17, 0x00, 0x07, 0x02, 0x04, 0x66, 0xAA, 0xBB, 0xCC, Checksum(write.data(), 10)}));

    uint8_t full[32] = {};
    EXPECT_EQ(WriteMemoryRequest(0x10000, full, 32)[3], 36); // N = n + 4
}

TEST(RadioFrames, ControlAndFrequencyRequests)
{
    const Bytes ctl = ControlRequest(0x1F, 3, 1);
    EXPECT_EQ(ctl, (Bytes{0xFF, 0x38, 0x00, 0x05, 0x1F, 0x03, 0x01, 0x00, Checksum(ctl.data(), 8)}));
    const uint8_t rec[6] = {1, 2, 3, 4, 5, 6};
    const Bytes slot = FrequencySlotRequest(7, rec);
    EXPECT_EQ(slot, (Bytes{0xFF, 0x9A, 0x00, 0x09, 0x04, 0x07, 1, 2, 3, 4, 5, 6, Checksum(slot.data(), 12)}));
    const Bytes close = CloseFrequencyTableRequest(16, 1);
    EXPECT_EQ(close, (Bytes{0xF4, 0x9A, 0x05, 0x10, 0x01, Checksum(close.data(), 5)}));
}

TEST(RadioFrames, ReplyThatDoesNotStartWithPFailsAfterOneByte)
{
    const Parsed p = Parse({0x51, 0xFF, 0x80, 0x00, 0x04});
    EXPECT_EQ(p.result, ReplyParser::Result::Error);
    EXPECT_EQ(p.consumed, 1u);
    EXPECT_EQ(p.parser.errorCode(), kErrNoAck);
}

TEST(RadioFrames, NoiseBetweenAckAndFrameIsSkipped)
{
    Bytes reply = ShortReply(0x23, {'R', '2', '1'});
    reply.insert(reply.begin() + 1, {0x00, 0x55, 0xEF, 0x0D});
    const Parsed p = Parse(reply);
    ASSERT_EQ(p.result, ReplyParser::Result::Done);
    EXPECT_EQ(p.parser.command(), 0x23);
    EXPECT_EQ(p.parser.data(), (Bytes{'R', '2', '1'}));
}

TEST(RadioFrames, ReplyRetriesApplyOnlyUntilTheFrameOrNoiseBegins)
{
    ReplyParser p(true);
    EXPECT_TRUE(p.WaitingForReplyStart());
    p.Feed(kAck);
    EXPECT_TRUE(p.WaitingForReplyStart());
    p.Feed(0x00); // noise: back to the plain retries
    EXPECT_FALSE(p.WaitingForReplyStart());
    ReplyParser q(true);
    q.Feed(kAck);
    q.Feed(0xFF);
    EXPECT_FALSE(q.WaitingForReplyStart());
}

TEST(RadioFrames, LongReplyToA32ByteReadCarriesL36)
{
    Bytes data(32);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<uint8_t>(i * 7);
    const Bytes reply = LongReply(kReplyMemory, data, true, 0x10E18);
    EXPECT_EQ(reply[3], 0x00);
    EXPECT_EQ(reply[4], 36);
    const Parsed p = Parse(reply);
    ASSERT_EQ(p.result, ReplyParser::Result::Done);
    EXPECT_EQ(p.consumed, reply.size());
    EXPECT_EQ(p.parser.address(), 0x10E18u);
    EXPECT_EQ(p.parser.data(), data);
}

TEST(RadioFrames, RepliesWithoutData)
{
    // Short F1 with its command byte.
    Parsed p = Parse({kAck, 0xF1, 0x22, Checksum(Bytes{0xF1, 0x22})});
    ASSERT_EQ(p.result, ReplyParser::Result::Done);
    EXPECT_TRUE(p.parser.data().empty());
    // Long with L = 0 and L = 1, no address.
    p = Parse({kAck, 0xFF, 0x38, 0x00, 0x00, Checksum(Bytes{0xFF, 0x38, 0x00, 0x00})});
    ASSERT_EQ(p.result, ReplyParser::Result::Done);
    EXPECT_TRUE(p.parser.data().empty());
    p = Parse({kAck, 0xFF, 0x38, 0x00, 0x01, Checksum(Bytes{0xFF, 0x38, 0x00, 0x01})});
    ASSERT_EQ(p.result, ReplyParser::Result::Done);
    EXPECT_TRUE(p.parser.data().empty());
    // Addressed with L = 4: the address and the checksum.
    const Bytes written = LongReply(kReplyWritten, {}, true, 0x10180);
    EXPECT_EQ(written[4], 4);
    p = Parse(written);
    ASSERT_EQ(p.result, ReplyParser::Result::Done);
    EXPECT_EQ(p.parser.address(), 0x10180u);
    EXPECT_EQ(p.parser.command(), kReplyWritten);
    EXPECT_TRUE(p.parser.data().empty());
}

TEST(RadioFrames, WrongChecksumFailsWithMinus11)
{
    Bytes reply = ShortReply(0x23, {0, 0, 8});
    reply.back() ^= 0x01;
    const Parsed p = Parse(reply);
    EXPECT_EQ(p.result, ReplyParser::Result::Error);
    EXPECT_EQ(p.parser.errorCode(), kErrChecksum);
}

TEST(RadioFrames, TheAcknowledgementIsNotCoveredByTheChecksum)
{
    const Bytes withAck = ShortReply(0x22, {0x16}, true);
    const Bytes without = ShortReply(0x22, {0x16}, false);
    EXPECT_EQ(withAck.back(), without.back());
    EXPECT_EQ(Parse(without, false).result, ReplyParser::Result::Done);
}

TEST(RadioFrames, RequestParserSplitsTheStreamIntoRequests)
{
    Bytes stream = {0x00, 0x13}; // line noise before the first frame
    for (const Bytes &f : {LinkStartRequest(), ReadMemoryRequest(0x10000, 32), ResetRequest(), CloseFrequencyTableRequest(99, 0)})
        stream.insert(stream.end(), f.begin(), f.end());
    RequestParser parser;
    std::vector<Request> got;
    for (uint8_t b : stream) {
        Request r;
        if (parser.Feed(b, r))
            got.push_back(r);
    }
    ASSERT_EQ(got.size(), 4u);
    EXPECT_FALSE(got[0].longFrame);
    EXPECT_EQ(got[0].command, kCmdLinkStart);
    EXPECT_EQ(got[0].payload, (Bytes{0x16}));
    EXPECT_TRUE(got[1].longFrame);
    EXPECT_EQ(got[1].command, kCmdReadMemory);
    EXPECT_EQ(got[1].payload, (Bytes{32, 0x01, 0x00, 0x00}));
    EXPECT_EQ(got[2].command, kCmdReset);
    EXPECT_TRUE(got[2].payload.empty());
    EXPECT_EQ(got[3].payload, (Bytes{0x05, 99, 0x00}));
    for (const Request &r : got)
        EXPECT_TRUE(r.checksumOk);
    Bytes bad = MemoryStatusRequest();
    bad.back() ^= 0xFF;
    Request r;
    bool done = false;
    for (uint8_t b : bad)
        done = parser.Feed(b, r);
    ASSERT_TRUE(done);
    EXPECT_FALSE(r.checksumOk);
}
