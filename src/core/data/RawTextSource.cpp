#include "data/RawTextSource.h"

#include <algorithm>
#include <utility>

namespace {
constexpr int kReplacement = '?';
} // namespace

void CRawTextSource::DetectEncoding() {
    m_encoding = Encoding::kBytes;
    while (m_nEnd < 3) {
        const std::size_t n = m_file.Read(m_buffer.data() + m_nEnd, m_buffer.size() - m_nEnd, 0);
        if (n == 0)
            break;
        m_nEnd += n;
    }
    const auto byte = [this](std::size_t i) {
        return i < m_nEnd ? static_cast<unsigned char>(m_buffer[i]) : -1;
    };
    if (byte(0) == 0xFF && byte(1) == 0xFE) {
        m_encoding = Encoding::kUtf16Little;
        m_nStart = 2;
    } else if (byte(0) == 0xFE && byte(1) == 0xFF) {
        m_encoding = Encoding::kUtf16Big;
        m_nStart = 2;
    } else if (byte(0) == 0xEF && byte(1) == 0xBB && byte(2) == 0xBF) {
        m_nStart = 3;
    }
}

int CRawTextSource::NextRaw() {
    if (m_nStart == m_nEnd) {
        m_nStart = 0;
        m_nEnd = m_file.Read(m_buffer.data(), m_buffer.size(), 0);
        if (m_nEnd == 0)
            return -1;
    }
    return static_cast<unsigned char>(m_buffer[m_nStart++]);
}

int CRawTextSource::Next() {
    if (m_nPushedBack >= 0)
        return std::exchange(m_nPushedBack, -1);
    if (m_encoding == Encoding::kUnknown)
        DetectEncoding();
    if (m_encoding == Encoding::kBytes)
        return NextRaw();
    const int a = NextRaw();
    const int b = a < 0 ? -1 : NextRaw();
    if (b < 0)
        return a < 0 ? -1 : kReplacement; // half a character at the end
    const int unit = m_encoding == Encoding::kUtf16Little ? (b << 8 | a) : (a << 8 | b);
    return unit < 0x80 ? unit : kReplacement;
}

void CRawTextSource::SkipHeading(int lines) {
    while (lines > 0) {
        const int c = Next();
        if (c < 0)
            return;
        if (c == '\n') {
            --lines;
        } else if (c == '\r') {
            --lines;
            const int after = Next();
            if (after >= 0 && after != '\n')
                m_nPushedBack = after;
        }
    }
}

std::size_t CRawTextSource::Read(char* buffer, std::size_t maxBytes, int /*timeoutMs*/) {
    if (m_encoding == Encoding::kUnknown)
        DetectEncoding();
    std::size_t n = 0;
    if (m_nPushedBack >= 0 && maxBytes > 0)
        buffer[n++] = static_cast<char>(std::exchange(m_nPushedBack, -1));
    if (m_encoding == Encoding::kBytes) {
        // Plain text passes in blocks: what is buffered, else one read of the file.
        if (m_nStart == m_nEnd && n < maxBytes)
            return n + m_file.Read(buffer + n, maxBytes - n, 0);
        const std::size_t take = std::min(maxBytes - n, m_nEnd - m_nStart);
        std::copy_n(m_buffer.data() + m_nStart, take, buffer + n);
        m_nStart += take;
        return n + take;
    }
    while (n < maxBytes) {
        const int c = Next();
        if (c < 0)
            break;
        buffer[n++] = static_cast<char>(c);
    }
    return n;
}
