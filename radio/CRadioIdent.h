#pragma once
// The identification record of the connected radio, filled by
// CRadioOperation::Identify.

#include <cstdint>
#include <cstring>

namespace tavo {

struct CRadioIdent {
    char m_szModel[8] = {};           // 10E22: three letters, five digit values 0-9
    char m_cFirmwarePhase = 0;        // firmware version reply
    char m_cFirmwareVersion = 0;
    char m_cFirmwareRevision = 0;
    char m_cCodeplugPhase = 0;        // 10E2A
    uint8_t m_nCodeplugVersion = 0;   // 10E2B
    char m_szPassword[4] = {};        // 10009
    uint8_t m_nFrequencySlots = 0;    // 10A92
    uint8_t m_nCloneCompatibility = 0; // 10C01
    uint32_t m_nMaxCodes = 0;         // 10A9E (newer layout) or low 7 bits of 10A91

    void Clear() { *this = CRadioIdent(); }
    bool HasPassword() const { return m_szPassword[0] != 0; }
};

} // namespace tavo
