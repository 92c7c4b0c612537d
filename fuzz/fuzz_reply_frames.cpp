// Reply frames from the radio, and requests as the simulated radio receives
// them: any byte stream must parse or be refused without reading or writing
// out of bounds, and the protocol object must end every exchange.

#include "radio/CRadioProtocol.h"
#include "radio/SimulatedRadio.h"
#include "radio/RadioFrames.h"

#include <deque>

using namespace tavo;

namespace {

// A line on which every request is echoed and answered by the fuzz input.
class FuzzTransport : public ICableTransport {
public:
    FuzzTransport(const uint8_t *data, size_t size) : m_reply(data, data + size) {}
    FtStatus Open(int) override { return FT_OK; }
    FtStatus Close() override { return FT_OK; }
    FtStatus SetBaudRate(uint32_t) override { return FT_OK; }
    FtStatus SetDataCharacteristics(uint8_t, uint8_t, uint8_t) override { return FT_OK; }
    FtStatus SetFlowControl(uint16_t, uint8_t, uint8_t) override { return FT_OK; }
    FtStatus SetTimeouts(uint32_t, uint32_t) override { return FT_OK; }
    FtStatus Purge(uint32_t) override { return FT_OK; }
    FtStatus Read(uint8_t *buffer, uint32_t n, uint32_t *count) override
    {
        uint32_t got = 0;
        while (got < n && !m_pending.empty()) {
            buffer[got++] = m_pending.front();
            m_pending.pop_front();
        }
        *count = got;
        return FT_OK;
    }
    FtStatus Write(const uint8_t *buffer, uint32_t n, uint32_t *count) override
    {
        m_pending.insert(m_pending.end(), buffer, buffer + n);              // the echo
        m_pending.insert(m_pending.end(), m_reply.begin(), m_reply.end()); // the "radio"
        *count = n;
        return FT_OK;
    }
    FtStatus ListDevices(std::vector<std::optional<QString>> &d) override
    {
        d.clear();
        return FT_OK;
    }
    QString LastErrorText() const override { return QString(); }

private:
    std::vector<uint8_t> m_reply;
    std::deque<uint8_t> m_pending;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The pure reply parser, with and without the acknowledgement.
    for (bool ack : {true, false}) {
        frames::ReplyParser parser(ack);
        for (size_t i = 0; i < size; ++i)
            if (parser.Feed(data[i]) != frames::ReplyParser::Result::More)
                break;
    }

    // The simulated radio's side: requests from the line.
    SimulatedRadio radio;
    radio.faults().noise = size > 0 && (data[0] & 1);
    for (size_t i = 0; i < size; i += 7)
        radio.Receive(data + i, std::min<size_t>(7, size - i));

    // The protocol object over a line answering with the input.
    CableConfig config;
    config.transportFactory = [data, size]() { return std::make_unique<FuzzTransport>(data, size); };
    config.sleep = [](int) {};
    CRadioProtocol protocol(config);
    if (protocol.OpenDevice(0) < 0)
        return 0;
    protocol.m_nReplyRetries = 2; // nothing waits here; keep each run short
    uint8_t buf[64];
    protocol.ReadMemory(0x10000, 64, buf);
    char fw[3];
    protocol.ReadFirmwareVersion(fw);
    uint8_t status;
    protocol.ReadMemoryStatus(status);
    protocol.WriteChunk(0x10000, 32, buf);
    protocol.StartLink();
    protocol.ResetRadio();
    protocol.CloseDevice();
    return 0;
}
