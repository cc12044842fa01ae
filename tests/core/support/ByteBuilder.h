// Builds expected archive bytes by hand, little-endian, for golden comparisons.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

class ByteBuilder {
public:
    ByteBuilder& u8(std::uint8_t v) {
        m_bytes.push_back(v);
        return *this;
    }
    ByteBuilder& u16(std::uint16_t v) { return u8(v & 0xFF).u8(static_cast<std::uint8_t>(v >> 8)); }
    ByteBuilder& u32(std::uint32_t v) {
        return u16(static_cast<std::uint16_t>(v)).u16(static_cast<std::uint16_t>(v >> 16));
    }
    ByteBuilder& f32(float v) {
        std::uint32_t bits;
        std::memcpy(&bits, &v, 4);
        return u32(bits);
    }
    ByteBuilder& f64(double v) {
        std::uint64_t bits;
        std::memcpy(&bits, &v, 8);
        return u32(static_cast<std::uint32_t>(bits)).u32(static_cast<std::uint32_t>(bits >> 32));
    }
    // Raw characters, no length.
    ByteBuilder& chars(std::string_view s) {
        m_bytes.insert(m_bytes.end(), s.begin(), s.end());
        return *this;
    }
    // A short text (< 255 bytes): one length byte, then the characters.
    ByteBuilder& text(std::string_view s) {
        return u8(static_cast<std::uint8_t>(s.size())).chars(s);
    }
    // A new-class tag and its class record.
    ByteBuilder& newClass(std::string_view name) {
        return u16(0xFFFF).u16(0).u16(static_cast<std::uint16_t>(name.size())).chars(name);
    }

    [[nodiscard]] const std::vector<std::uint8_t>& bytes() const { return m_bytes; }
    [[nodiscard]] std::size_t size() const { return m_bytes.size(); }

private:
    std::vector<std::uint8_t> m_bytes;
};
