// CTransmissionParser: the push parser that turns received device text into a session's flights.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

class CDataBlock;
class CDataModule;

// What the parser reports while it runs; the read loop shows it in the Read Data window.
class CTransmissionEvents {
public:
    virtual ~CTransmissionEvents() = default;
    // Once, when the header has been taken: the progress bar runs from 0 to upper.
    virtual void OnProgressRange(int upper) = 0;
    // Every cycle from the header on, after its flight pass: the number of values decoded so
    // far, the header's included.
    virtual void OnProgressPosition(std::int64_t position) = 0;
    // A flight was started; flightCount is the session's new number of flights.
    virtual void OnNewFlight(int flightCount) = 0;
};

// The caller appends received bytes as they arrive; every append runs the text and value
// cycles on what is buffered. The text buffer holds at most kTextCapacity characters not yet
// parsed, the value buffer kValueCapacity values not yet decoded; nothing else is allocated
// per value except the flights' raw arrays. Once complete or stopped the parser takes no more
// text. Flights are appended to the session as they start; finishing them (FinishDecoding) is
// the caller's part.
class CTransmissionParser {
public:
    static constexpr std::size_t kTextCapacity = 1023;
    static constexpr std::size_t kValueCapacity = 1024;
    static constexpr std::size_t kHeaderSize = 14;
    // The most flights one transmission may bring into its session: a device that never stops
    // sending flights would otherwise take memory without bound.
    static constexpr std::ptrdiff_t kMaxFlights = 65535;
    using Header = std::array<std::uint8_t, kHeaderSize>;
    // Gives the date text of a flight when it starts.
    using DateSource = std::function<std::string()>;

    // session receives the flights and must outlive the parser; events may be null. Without a
    // date source, flights get the local date and time in the locale's default format.
    explicit CTransmissionParser(CDataModule& session, CTransmissionEvents* events = nullptr,
                                 DateSource dateSource = {});

    // Takes up to GetFreeSpace() bytes of data and parses; returns the number taken (0 once
    // complete or stopped). A NUL byte is taken as 0xFF, which stops parsing like any other
    // character that is neither white space nor a digit.
    std::size_t Append(const char* data, std::size_t size);
    // Room left in the text buffer. 0 while complete or stopped, or when text that cannot be
    // parsed (a stray character) has filled the buffer.
    [[nodiscard]] std::size_t GetFreeSpace() const;

    [[nodiscard]] bool IsComplete() const { return m_bComplete; }
    [[nodiscard]] bool IsStopRequested() const { return m_bStopRequested; }
    // True once a flight would have been started beyond kMaxFlights: parsing stopped there and
    // the flights so far stay.
    [[nodiscard]] bool IsFlightLimitReached() const { return m_bFlightLimitReached; }
    // The reading side ends the transmission (cancel, silence, end of file).
    void RequestStop() { m_bStopRequested = true; }
    [[nodiscard]] bool IsFinished() const { return m_bComplete || m_bStopRequested; }

    // The 14 header values; all 0 until the header has been taken.
    [[nodiscard]] const Header& GetHeader() const { return m_header; }
    [[nodiscard]] bool HasHeader() const { return !m_bSeekingHeader; }

    // Calls FinishDecoding on every flight of the session in list order, index 0 upwards.
    void FinishFlights();

    // The local date and time in the locale's default format: the default date source.
    [[nodiscard]] static std::string LocalDateText();

private:
    // Returns true when number parsing stopped because the value buffer was full.
    bool RunTextCycle();
    void RunValueCycle();
    bool TakeHeader();
    void RunFlightPass();
    bool StartFlight();
    void AppendValue(std::uint8_t value) { m_values[m_valueCount++] = value; }

    CDataModule& m_session;
    CTransmissionEvents* m_pEvents;
    DateSource m_dateSource;

    // Text received and not yet parsed, kept NUL-terminated.
    std::array<char, kTextCapacity + 1> m_text{};
    std::size_t m_textLength = 0;
    // Digits of a number that reached the end of the text are folded in here at once, so a
    // number of any length fits; it is taken once the character after it has arrived.
    bool m_bInNumber = false;
    std::uint8_t m_nPartialNumber = 0;

    std::array<std::uint8_t, kValueCapacity> m_values{};
    std::size_t m_valueCount = 0;
    std::size_t m_decodedIndex = 0;

    bool m_bSeekingSync = true;
    bool m_bSeekingHeader = true;
    Header m_header{};
    CDataBlock* m_pOpenFlight = nullptr; // owned by the session
    std::int64_t m_nDecodedEarlier = 0;
    bool m_bComplete = false;
    bool m_bStopRequested = false;
    bool m_bFlightLimitReached = false;
};
