#include "data/TransmissionParser.h"

#include "data/DataBlock.h"
#include "data/DataModule.h"
#include "data/DeviceProtocol.h"

#include <algorithm>
#include <cstring>
#include <ctime>

namespace {
constexpr std::size_t kFlightCountIndex = 4;
constexpr std::size_t kProgressHighIndex = 5;
constexpr std::size_t kProgressLowIndex = 6;
constexpr char kSyncText[] = "126";
constexpr std::size_t kSyncLength = 3;

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
} // namespace

CTransmissionParser::CTransmissionParser(CDataModule& session, CTransmissionEvents* events,
                                         DateSource dateSource)
    : m_session(session), m_pEvents(events), m_dateSource(std::move(dateSource)) {}

std::string CTransmissionParser::LocalDateText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    char text[128];
    const std::size_t length = std::strftime(text, sizeof text, "%x %X", &local);
    return std::string(text, length);
}

std::size_t CTransmissionParser::GetFreeSpace() const {
    return IsFinished() ? 0 : kTextCapacity - m_textLength;
}

std::size_t CTransmissionParser::Append(const char* data, std::size_t size) {
    const std::size_t taken = std::min(size, GetFreeSpace());
    if (taken == 0)
        return 0;
    char* begin = m_text.data() + m_textLength;
    std::memcpy(begin, data, taken);
    std::replace(begin, begin + taken, '\0', '\xFF');
    m_textLength += taken;
    m_text[m_textLength] = '\0';
    // One append normally needs one cycle. Should the value buffer ever fill while text is
    // waiting, the text is parsed again as soon as decoding has made room, so no text waits
    // for an append that a full buffer would never allow.
    for (;;) {
        const bool valuesFull = RunTextCycle();
        const std::size_t pending = m_valueCount;
        RunValueCycle();
        if (!valuesFull || IsFinished() || m_valueCount >= pending)
            break;
    }
    return taken;
}

bool CTransmissionParser::RunTextCycle() {
    std::size_t pos = 0;
    if (m_bSeekingSync) {
        if (m_textLength < kSyncLength + 1)
            return false;
        // The sync text counts only with a character after it.
        const char* found = nullptr;
        const char* last = m_text.data() + m_textLength - (kSyncLength + 1);
        for (const char* p = m_text.data(); p <= last; ++p)
            if (p[0] == kSyncText[0] && p[1] == kSyncText[1] && p[2] == kSyncText[2]) {
                found = p;
                break;
            }
        if (!found) {
            // A full buffer without sync text keeps only what may begin a split sync text.
            if (m_textLength == kTextCapacity) {
                std::memmove(m_text.data(), m_text.data() + m_textLength - kSyncLength,
                             kSyncLength);
                m_textLength = kSyncLength;
                m_text[m_textLength] = '\0';
            }
            return false;
        }
        m_bSeekingSync = false;
        pos = static_cast<std::size_t>(found - m_text.data());
    }

    const char* const text = m_text.data();
    const std::size_t length = m_textLength;
    bool valuesFull = false;
    for (;;) {
        if (m_valueCount >= kValueCapacity) {
            valuesFull = true;
            break;
        }
        if (!m_bInNumber) {
            while (pos < length && IsSpace(text[pos]))
                ++pos;
            if (pos == length || !IsDigit(text[pos]))
                break;
            m_bInNumber = true;
            m_nPartialNumber = 0;
        }
        // Only the low 8 bits are kept; they do not depend on the higher digits' carries.
        unsigned number = m_nPartialNumber;
        while (pos < length && IsDigit(text[pos])) {
            number = number * 10u + static_cast<unsigned>(text[pos] - '0');
            number &= 0xFFu;
            ++pos;
        }
        m_nPartialNumber = static_cast<std::uint8_t>(number);
        if (pos == length)
            break; // the number may go on in the next append
        m_bInNumber = false;
        AppendValue(m_nPartialNumber);
    }

    m_textLength = length - pos;
    std::memmove(m_text.data(), text + pos, m_textLength);
    m_text[m_textLength] = '\0';
    return valuesFull;
}

void CTransmissionParser::RunValueCycle() {
    if (IsFinished())
        return;
    if (m_bSeekingHeader && !TakeHeader())
        return;
    RunFlightPass();
    // Undecoded values (a 226 waiting for its partner, a lone 127) move to the front, so the
    // buffer's whole capacity is free for the next text.
    const std::size_t left = m_valueCount - m_decodedIndex;
    m_nDecodedEarlier += static_cast<std::int64_t>(m_decodedIndex);
    std::memmove(m_values.data(), m_values.data() + m_decodedIndex, left);
    m_valueCount = left;
    m_decodedIndex = 0;
    // After the pass, so that the cycle that completes the transmission is counted too.
    if (m_pEvents)
        m_pEvents->OnProgressPosition(m_nDecodedEarlier);
}

bool CTransmissionParser::TakeHeader() {
    if (m_valueCount > 0) {
        const auto* begin = m_values.data();
        const auto* end = begin + m_valueCount;
        const auto* start = std::find(begin, end, device::kStartMark);
        if (start != end && start != begin) {
            m_valueCount = static_cast<std::size_t>(end - start);
            std::memmove(m_values.data(), start, m_valueCount);
        }
    }
    if (m_valueCount < kHeaderSize)
        return false;
    std::copy_n(m_values.begin(), kHeaderSize, m_header.begin());
    m_decodedIndex = kHeaderSize;
    m_bSeekingHeader = false;
    if (m_pEvents)
        m_pEvents->OnProgressRange(m_header[kProgressHighIndex] * 256 +
                                   m_header[kProgressLowIndex]);
    return true;
}

void CTransmissionParser::RunFlightPass() {
    while (m_decodedIndex < m_valueCount) {
        if (!m_pOpenFlight && !StartFlight())
            return;
        std::size_t remaining = m_valueCount - m_decodedIndex;
        const std::size_t before = remaining;
        const int ended = m_pOpenFlight->DecodeBytes(m_values.data() + m_decodedIndex, remaining);
        m_decodedIndex += before - remaining;
        if (ended == 1) {
            // The next block is looked at at once, even when the end mark was the first value
            // of this cycle: how the text was split must not decide the outcome.
            m_pOpenFlight = nullptr;
            if (m_session.GetFlights().GetCount() == m_header[kFlightCountIndex]) {
                m_bComplete = true;
                return;
            }
            continue;
        }
        if (remaining == before)
            return; // the open flight waits for more values
    }
}

bool CTransmissionParser::StartFlight() {
    if (m_valueCount - m_decodedIndex < 2)
        return false;
    const std::uint8_t first = m_values[m_decodedIndex];
    if (first != device::kFlightMark) {
        m_bStopRequested = true;
        return false;
    }
    if (m_values[m_decodedIndex + 1] == device::kEndMark) {
        m_bComplete = true;
        return false;
    }
    if (m_session.GetFlights().GetCount() >= kMaxFlights) {
        m_bFlightLimitReached = true;
        m_bStopRequested = true;
        return false;
    }
    auto flight = std::make_unique<CDataBlock>(&m_session);
    flight->SetDate(m_dateSource ? m_dateSource() : LocalDateText());
    m_pOpenFlight = flight.get();
    m_session.AppendFlight(std::move(flight));
    if (m_pEvents)
        m_pEvents->OnNewFlight(static_cast<int>(m_session.GetFlights().GetCount()));
    return true;
}

void CTransmissionParser::FinishFlights() {
    int index = 0;
    for (CDataBlock* flight : m_session.GetFlights())
        flight->FinishDecoding(m_header, index++);
}
