// CPortSetupBlock: the serial port set-up as the 28-byte device-control block that is stored.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>

// Layout (little-endian): u32 length (28), u32 baud rate, u32 flag bits (bit 0 binary, 1
// parity check, 2 CTS flow, 3 DSR flow, 4-5 DTR control, 6 DSR sensitivity, 7 TX continue on
// XOFF, 8 XON/XOFF out, 9 in, 10 error char, 11 null stripping, 12-13 RTS control, 14 abort on
// error), u16 reserved, u16 XON limit, u16 XOFF limit, u8 byte size, u8 parity (0 none, 1 odd,
// 2 even, 3 mark, 4 space), u8 stop bits (0 one, 1 one and a half, 2 two), XON, XOFF, error,
// EOF and event characters, u16 reserved. The bytes are kept exactly as stored.
class CPortSetupBlock {
public:
    static constexpr std::size_t kSize = 28;

    // 19200 baud, 8 data bits, no parity, one stop bit, binary, DTR and RTS enabled, XON/XOFF
    // limits 100, XON 0x11, XOFF 0x13.
    CPortSetupBlock();

    [[nodiscard]] const std::array<std::uint8_t, kSize>& Bytes() const { return m_bytes; }
    [[nodiscard]] std::array<std::uint8_t, kSize>& Bytes() { return m_bytes; }

    [[nodiscard]] std::uint32_t GetBaudRate() const { return U32(4); }
    void SetBaudRate(std::uint32_t baud) { SetU32(4, baud); }
    [[nodiscard]] std::uint32_t GetFlags() const { return U32(8); }
    void SetFlags(std::uint32_t flags) { SetU32(8, flags); }
    [[nodiscard]] std::uint8_t GetByteSize() const { return m_bytes[18]; }
    void SetByteSize(std::uint8_t bits) { m_bytes[18] = bits; }
    [[nodiscard]] std::uint8_t GetParity() const { return m_bytes[19]; }
    void SetParity(std::uint8_t parity) { m_bytes[19] = parity; }
    [[nodiscard]] std::uint8_t GetStopBits() const { return m_bytes[20]; }
    void SetStopBits(std::uint8_t stopBits) { m_bytes[20] = stopBits; }
    // 0 disabled, 1 enabled, 2 handshake (DTR), 3 toggle (RTS).
    [[nodiscard]] unsigned GetDtrControl() const { return (GetFlags() >> 4) & 3u; }
    [[nodiscard]] unsigned GetRtsControl() const { return (GetFlags() >> 12) & 3u; }
    [[nodiscard]] bool GetOutxCtsFlow() const { return (GetFlags() >> 2) & 1u; }
    [[nodiscard]] bool GetOutX() const { return (GetFlags() >> 8) & 1u; }
    [[nodiscard]] bool GetInX() const { return (GetFlags() >> 9) & 1u; }

    bool operator==(const CPortSetupBlock&) const = default;

private:
    [[nodiscard]] std::uint32_t U32(std::size_t at) const {
        return std::uint32_t{m_bytes[at]} | std::uint32_t{m_bytes[at + 1]} << 8 |
               std::uint32_t{m_bytes[at + 2]} << 16 | std::uint32_t{m_bytes[at + 3]} << 24;
    }
    void SetU32(std::size_t at, std::uint32_t v) {
        for (std::size_t i = 0; i < 4; ++i)
            m_bytes[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    }

    std::array<std::uint8_t, kSize> m_bytes{};
};

inline CPortSetupBlock::CPortSetupBlock() {
    SetU32(0, kSize);
    SetBaudRate(19200);
    SetFlags(0x1u | (1u << 4) | (1u << 12)); // binary, DTR enabled, RTS enabled
    m_bytes[14] = 100;                       // XON limit
    m_bytes[16] = 100;                       // XOFF limit
    m_bytes[18] = 8;                         // byte size
    m_bytes[21] = 0x11;                      // XON
    m_bytes[22] = 0x13;                      // XOFF
}
