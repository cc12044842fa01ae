#include "data/TransmissionReader.h"

#include "data/DataBlock.h"
#include "data/DataModule.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"
#include "support/AllocationLimit.h"
#include "support/FakeClock.h"
#include "support/FakeUi.h"
#include "support/ScriptedByteSource.h"
#include "support/Transmission.h"

#include <gtest/gtest.h>

using namespace testing_transmission;

namespace {

struct Read {
    FakeUi ui;
    FakeClock clock;
    CDataModule session;
    ScriptedByteSource source{clock};
    CTransmissionReader reader{session, ui, clock};
    bool separate = true;

    Read() {
        reader.SetDateSource([] { return std::string("now"); });
    }
    bool Run(bool isPort = true) { return reader.ReadTransmission(source, isPort, &separate); }
    [[nodiscard]] bool AskedToKeepIncompleteData() const {
        for (const auto& shown : ui.Messages())
            if (shown.text == LoadString(str::KeepIncompleteData) &&
                shown.buttons == MsgButtons::YesNo)
                return true;
        return false;
    }
};

} // namespace

TEST(TransmissionReader, OneAnnouncedFlightEndsCompleteWithoutQuestions) {
    Read r;
    const std::string text = FlightsText(1, 1);
    r.source.Silence(30'000).Data(text.substr(0, 70)).Silence(200).Data(text.substr(70));
    EXPECT_TRUE(r.Run());
    EXPECT_FALSE(r.separate);
    EXPECT_TRUE(r.ui.Messages().empty());
    const auto& window = r.ui.ReadWindow();
    EXPECT_FALSE(window.finalAsked);
    EXPECT_EQ(window.destroyed, 1);
    EXPECT_EQ(window.ranges, std::vector<int>{40});
    EXPECT_EQ(window.statusTexts, std::vector<std::string>{"Reading... (flight count: 1)"});
    ASSERT_EQ(r.session.GetFlights().GetCount(), 1);
    EXPECT_EQ(r.session.GetFlights().GetHead()->GetName(), "Flight 1");
}

TEST(TransmissionReader, SeveralFlightsAskTheFinalQuestion) {
    struct Case {
        bool ok, box, keep, separate;
    };
    for (const Case c : {Case{true, true, true, true}, Case{true, false, true, false},
                         Case{false, true, false, false}}) {
        Read r;
        r.ui.ReadWindow().finalOk = c.ok;
        r.ui.ReadWindow().finalSeparate = c.box;
        r.source.Data(FlightsText(3, 3));
        EXPECT_EQ(r.Run(), c.keep);
        EXPECT_EQ(r.separate, c.separate);
        EXPECT_TRUE(r.ui.ReadWindow().finalAsked);
        EXPECT_TRUE(r.ui.Messages().empty());
        EXPECT_EQ(r.session.GetFlights().GetCount(), 3);
    }
}

TEST(TransmissionReader, SilenceAfterTheFirstByteEndsThePortRead) {
    const std::string text = FlightsText(1, 1);
    { // 4.9 s between two bytes: the read goes on to completion.
        Read r;
        r.source.Data(text.substr(0, 80)).Silence(4900).Data(text.substr(80));
        EXPECT_TRUE(r.Run());
        EXPECT_FALSE(r.AskedToKeepIncompleteData());
    }
    for (const MsgResult answer : {MsgResult::Yes, MsgResult::No}) {
        // 5.1 s: incomplete, and the started flight makes it a question.
        Read r;
        r.ui.QueueAnswer(answer);
        r.source.Data(text.substr(0, 80)).Silence(5100).Data(text.substr(80));
        EXPECT_EQ(r.Run(), answer == MsgResult::Yes);
        EXPECT_TRUE(r.AskedToKeepIncompleteData());
        EXPECT_FALSE(r.source.Exhausted());
        ASSERT_EQ(r.session.GetFlights().GetCount(), 1);
        EXPECT_EQ(r.session.GetFlights().GetHead()->GetName(), "Flight 1"); // finished anyway
    }
}

TEST(TransmissionReader, UnparsableTextEndsThePortReadAfterTheSilenceLimit) {
    // A stray character stops parsing; the text behind it fills the buffer and is no longer
    // read, which counts as silence even while the device goes on sending.
    Read r;
    const std::int64_t start = r.clock.NowMs();
    r.source.Data(FlightsText(1, 1).substr(0, 70) + "x" + std::string(5000, '7'));
    EXPECT_FALSE(r.Run()); // str::KeepIncompleteData answered No
    EXPECT_TRUE(r.AskedToKeepIncompleteData());
    EXPECT_FALSE(r.source.Exhausted());
    EXPECT_GT(r.clock.NowMs() - start, CTransmissionReader::kSilenceLimitMs);
}

TEST(TransmissionReader, CancelEndsTheRead) {
    { // Before any byte the loop waits without limit; cancel drops it silently.
        Read r;
        r.ui.ReadWindow().cancelAfterPasses = 2000; // 20 s of fake time polling
        EXPECT_FALSE(r.Run());
        EXPECT_EQ(r.ui.ReadWindow().passes, 2000);
        EXPECT_TRUE(r.ui.Messages().empty());
        EXPECT_EQ(r.session.GetFlights().GetCount(), 0);
    }
    { // In a flight: the partial data is offered to keep.
        Read r;
        r.ui.QueueAnswer(MsgResult::Yes);
        r.ui.ReadWindow().cancelAfterPasses = 5;
        r.source.Data(FlightsText(0, 1).substr(0, 70));
        EXPECT_TRUE(r.Run());
        EXPECT_TRUE(r.AskedToKeepIncompleteData());
        EXPECT_EQ(r.session.GetFlights().GetCount(), 1);
    }
}

// The bar stopped short of its end: the cycle that completed the transmission was never
// reported. A read that ends (complete, or the file read to its end) shows a full bar; one cut
// short by silence shows where it stood.
TEST(TransmissionReader, ProgressBarReachesItsEndWhenTheReadEnds) {
    struct Case {
        bool isPort, cut, full;
    };
    for (const Case c : {Case{true, false, true}, Case{false, false, true}, Case{false, true, true},
                         Case{true, true, false}}) {
        Read r;
        const std::string text = FlightsText(1, 1); // announces a bar of 40 values
        r.source.Data(c.cut ? text.substr(0, 80) : text);
        (void)r.Run(c.isPort);
        const auto& window = r.ui.ReadWindow();
        ASSERT_EQ(window.ranges, std::vector<int>{40});
        ASSERT_FALSE(window.positions.empty());
        EXPECT_EQ(window.positions.back() == 40, c.full) << c.isPort << c.cut;
    }
}

// A device that never stops sending flights grew memory without bound. The read stops at
// the limit and says so; running out of memory stops it the same way. What came is kept,
// without the incomplete-transmission question, and two or more flights still get the final
// question.
TEST(TransmissionReader, ReadStopsAtTheFlightLimitOrWithoutMemoryAndKeepsWhatCame) {
    { // Flight limit.
        Read r;
        std::string text = Lines(HeaderValues(2, 0));
        for (std::ptrdiff_t i = 0; i <= CTransmissionParser::kMaxFlights + 5; ++i)
            text += "127\n001\n044\n010\n";
        r.source.Data(text);
        EXPECT_TRUE(r.Run());
        EXPECT_EQ(r.session.GetFlights().GetCount(), CTransmissionParser::kMaxFlights);
        ASSERT_EQ(r.ui.Messages().size(), 1u);
        EXPECT_EQ(r.ui.Messages()[0].text,
                  "The transmission was stopped at 65535 flights, the most one read can hold. "
                  "The flights received so far are kept.");
        EXPECT_TRUE(r.ui.ReadWindow().finalAsked);
    }
    { // Memory: the one flight's samples cannot grow past 64 KB.
        Read r;
        std::string text = Lines(HeaderValues(2, 1)) + Lines({127, 1, 44, 10});
        for (int i = 0; i < 40000; ++i)
            text += "000\n";
        r.source.Data(text);
        {
            AllocationLimit limit(64 << 10);
            EXPECT_TRUE(r.Run());
        }
        ASSERT_EQ(r.session.GetFlights().GetCount(), 1);
        EXPECT_GT(r.session.GetFlights().GetHead()->GetRawSamples().size(), 16000u);
        ASSERT_EQ(r.ui.Messages().size(), 1u);
        EXPECT_EQ(r.ui.Messages()[0].text, LoadString(str::ReadOutOfMemory));
        EXPECT_FALSE(r.AskedToKeepIncompleteData());
    }
}

TEST(TransmissionReader, ParserStopWithoutFlightsDropsSilently) {
    Read r;
    r.source.Data(Lines(HeaderValues(1, 1)) + Lines({5, 127, 1, 0, 10, 127, 128}));
    EXPECT_FALSE(r.Run());
    EXPECT_TRUE(r.ui.Messages().empty());
    EXPECT_EQ(r.source.Reads(), 1);
}

TEST(TransmissionReader, OpeningThePortNamesTheDeviceAndWhyItFailed) {
    EXPECT_EQ(CTransmissionReader::PortDeviceName(2), "\\\\.\\COM3");
    struct Case {
        PortOpenStatus status;
        const char* reason;
        unsigned id;
        const char* detail;
    };
    for (const Case& c : {Case{PortOpenStatus::kOpenFailed, "Permission denied",
                               str::SerialOpenFailed, "\nDevice: /dev/ttyUSB0 (Permission denied)"},
                          Case{PortOpenStatus::kSetupFailed, "", str::SerialSetupFailed,
                               "\nDevice: /dev/ttyUSB0"}}) {
        Read r;
        EXPECT_FALSE(r.reader.ReadFromPort(
            [&c] {
                return PortOpenResult{c.status, nullptr, "/dev/ttyUSB0", c.reason};
            },
            &r.separate));
        ASSERT_EQ(r.ui.Messages().size(), 1u);
        EXPECT_EQ(r.ui.Messages()[0].text, LoadString(c.id) + c.detail);
        EXPECT_EQ(r.ui.ReadWindow().created, 0);
        EXPECT_FALSE(r.separate);
    }

    Read r;
    auto port = std::make_unique<ScriptedByteSource>(r.clock);
    port->Data(FlightsText(2, 2));
    r.ui.ReadWindow().finalSeparate = true;
    EXPECT_TRUE(r.reader.ReadFromPort(
        [&] {
            return PortOpenResult{PortOpenStatus::kOpened, std::move(port), "/dev/pts/3"};
        },
        &r.separate));
    EXPECT_EQ(r.ui.ReadWindow().sourceText, "Device: /dev/pts/3");
    EXPECT_TRUE(r.separate);
    EXPECT_EQ(r.session.GetFlights().GetCount(), 2);
}
