#include "data/TransmissionReader.h"

#include "data/DataModule.h"
#include "data/RawTextSource.h"
#include "framework/ByteSource.h"
#include "framework/Clock.h"
#include "framework/FileByteSource.h"
#include "framework/ReadWindow.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"
#include "framework/UiServices.h"

#include <array>
#include <new>

namespace {
constexpr unsigned kOpenFailedId = str::SerialOpenFailed;
constexpr unsigned kSetupFailedId = str::SerialSetupFailed;
constexpr unsigned kKeepIncompleteId = str::KeepIncompleteData;
constexpr unsigned kReadingStatusId = str::ReadingStatus;

constexpr int kSkippedLines = 2;

void ReportFileError(CUiServices& ui, const std::string& path, unsigned what) {
    (void)ui.MessageBox(FormatString1(what, path), MsgButtons::Ok, MsgIcon::Error);
}

// Shows the parser's reports in the Read Data window.
class WindowEvents final : public CTransmissionEvents {
public:
    explicit WindowEvents(CReadWindow& window) : m_window(window) {}
    void OnProgressRange(int upper) override {
        m_upper = upper;
        m_window.SetProgressRange(upper);
    }
    // The bar at its end: the transmission or the file has been read to the end.
    void Finish() {
        if (m_upper > 0)
            m_window.SetProgressPosition(m_upper);
    }
    void OnProgressPosition(std::int64_t position) override {
        m_window.SetProgressPosition(position);
    }
    void OnNewFlight(int flightCount) override {
        m_window.SetStatusText(
            FormatDirectives(LoadString(kReadingStatusId), {std::to_string(flightCount)}));
    }

private:
    CReadWindow& m_window;
    int m_upper = 0;
};
} // namespace

CTransmissionReader::CTransmissionReader(CDataModule& session, CUiServices& ui, Clock& clock)
    : m_session(session), m_ui(ui), m_clock(clock) {}

std::string CTransmissionReader::PortDeviceName(int portIndex) {
    return "\\\\.\\COM" + std::to_string(static_cast<long long>(portIndex) + 1);
}

bool CTransmissionReader::ReadFromPort(const PortOpener& open, bool* separate) {
    if (separate)
        *separate = false;
    PortOpenResult opened = open();
    if (opened.status == PortOpenStatus::kOpened && opened.port && opened.port->IsOpen()) {
        if (!opened.device.empty())
            m_strSource = FormatString1(str::SerialDevice, opened.device);
        return ReadTransmission(*opened.port, true, separate);
    }
    const bool setupFailed = opened.status == PortOpenStatus::kSetupFailed;
    std::string text = LoadString(setupFailed ? kSetupFailedId : kOpenFailedId);
    // The message says which device failed and, where the system told, why.
    if (!opened.device.empty())
        text += "\n" + (opened.reason.empty()
                            ? FormatString1(str::SerialDevice, opened.device)
                            : FormatString2(str::SerialDeviceReason, opened.device, opened.reason));
    (void)m_ui.MessageBox(text, MsgButtons::Ok, MsgIcon::Error);
    return false;
}

bool CTransmissionReader::ReadTransmission(ByteSource& source, bool isPort, bool* separate) {
    if (separate)
        *separate = false;
    std::unique_ptr<CReadWindow> window = m_ui.CreateReadWindow();
    if (!window)
        return false;
    if (!m_strSource.empty())
        window->SetSourceText(m_strSource);

    WindowEvents events(*window);
    CTransmissionParser parser(m_session, &events, m_dateSource);
    std::array<char, CTransmissionParser::kTextCapacity> buffer{};
    std::uint64_t received = 0;
    std::int64_t lastArrival = m_clock.NowMs();
    bool endOfFile = false;
    bool outOfMemory = false;
    while (!parser.IsFinished()) {
        if (window->IsCancelRequested())
            break;
        window->ProcessEvents();
        const std::size_t space = parser.GetFreeSpace();
        std::size_t n = 0;
        if (space > 0)
            n = source.Read(buffer.data(), space, kPollMs);
        else if (isPort)
            m_clock.SleepMs(kPollMs); // text that cannot be parsed fills the buffer: wait out
        if (n == 0) {
            // A file has nothing more to give; a port may still send, up to the silence limit
            // once it has sent anything at all.
            if (!isPort) {
                endOfFile = true;
                break;
            }
            if (received > 0 && m_clock.NowMs() - lastArrival > kSilenceLimitMs)
                break;
            continue;
        }
        received += n;
        lastArrival = m_clock.NowMs();
        try {
            (void)parser.Append(buffer.data(), n);
        } catch (const std::bad_alloc&) {
            // A flight's samples could not grow: the read ends with what it has, whole.
            outOfMemory = true;
            break;
        }
    }
    parser.FinishFlights();

    const bool complete = parser.IsComplete();
    if (complete || endOfFile)
        events.Finish();
    const std::ptrdiff_t flights = m_session.GetFlights().GetCount();
    bool keep = true;
    if (parser.IsFlightLimitReached() || outOfMemory) {
        // The read was stopped on this side: say why; what came is kept without asking.
        const std::string text =
            outOfMemory ? LoadString(str::ReadOutOfMemory)
                        : FormatString1(str::TooManyFlights,
                                        std::to_string(CTransmissionParser::kMaxFlights));
        (void)m_ui.MessageBox(text, MsgButtons::Ok, MsgIcon::Warning);
        keep = flights > 0;
    } else if (!complete) {
        keep = flights > 0 && m_ui.MessageBox(kKeepIncompleteId, MsgButtons::YesNo,
                                              MsgIcon::Question) == MsgResult::Yes;
    }
    if (keep && flights >= 2) {
        bool separateChecked = false;
        keep = window->AskKeepSeparate(separateChecked);
        if (separate)
            *separate = keep && separateChecked;
    }
    return keep;
}

bool CTransmissionReader::ImportRawText(const std::string& path, bool* separate) {
    if (separate)
        *separate = false;
    FileByteSource file(path);
    if (!file.IsOpen()) {
        if (file.GetRefusal())
            (void)m_ui.MessageBox(*file.GetRefusal(), MsgButtons::Ok, MsgIcon::Error);
        else
            ReportFileError(m_ui, path, str::FileNotOpened);
        return false;
    }
    // The name and date lines of a raw export are not part of the transmission, and may well
    // hold the characters "126".
    CRawTextSource text(file);
    text.SkipHeading(kSkippedLines);
    const bool keep = ReadTransmission(text, false, separate);
    if (file.HasFailed()) {
        ReportFileError(m_ui, path, str::FileNotRead);
        return false;
    }
    return keep;
}
