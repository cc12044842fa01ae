#include "data/TransmissionParser.h"

#include "data/Annotation.h"
#include "data/DataBlock.h"
#include "data/DataModule.h"
#include "shell/MainDoc.h"
#include "support/Transmission.h"

#include <gtest/gtest.h>

using namespace testing_transmission;

namespace {

class RecordingEvents : public CTransmissionEvents {
public:
    void OnProgressRange(int upper) override { ranges.push_back(upper); }
    void OnProgressPosition(std::int64_t) override {}
    void OnNewFlight(int count) override { flightCounts.push_back(count); }
    std::vector<int> ranges;
    std::vector<int> flightCounts;
};

std::string WorkedExample() {
    return Lines({126, 3,   10,  127, 1,  0,  40, 255, 255, 255, 255, 255,
                  255, 255, 127, 1,   44, 10, 2,  253, 226, 30,  127, 128});
}

// Header announcing `flights` flights, then the given blocks and values.
std::string Transmission(int flights, const std::vector<int>& body) {
    std::vector<int> values = HeaderValues(3, flights);
    values.insert(values.end(), body.begin(), body.end());
    return Lines(values);
}

// A transmission of several flights with markers, wrap-around and ambiguous 226 steps.
std::string RichTransmission() {
    std::mt19937 random(7);
    std::vector<int> body;
    for (int flight = 0; flight < 3; ++flight) {
        body.insert(body.end(), {127, 3 + flight, 17 * flight, 1 + flight});
        for (int i = 0; i < 700 + 300 * flight; ++i) {
            const unsigned r = random() % 20;
            if (r == 0)
                body.insert(body.end(), {226, 30});
            else if (r == 1)
                body.push_back(226);
            else
                body.push_back(static_cast<int>(random() % 256));
        }
    }
    body.insert(body.end(), {127, 128});
    return "preamble 12 612 text\r\n" + Transmission(0, body);
}

struct Decoded {
    CDataModule session;
    RecordingEvents events;
    CTransmissionParser parser{session, &events, [] { return std::string("date"); }};
};

} // namespace

TEST(TransmissionParser, WorkedExampleDecodesOneFlightWithAMarker) {
    CMainDoc doc;
    Decoded d;
    d.session.SetDocument(&doc);
    FeedWhole(d.parser, WorkedExample());
    ASSERT_TRUE(d.parser.IsComplete());
    EXPECT_EQ(d.events.ranges, std::vector<int>{40});
    EXPECT_EQ(d.events.flightCounts, std::vector<int>{1});

    d.parser.FinishFlights();
    ASSERT_EQ(Describe(d.session), "flight ref=300 rate=1000 raw=298,301, notes=M1@1,\n");
    const CDataBlock* flight = d.session.GetFlights().GetHead();
    EXPECT_EQ(flight->GetName(), "Flight 1");
    EXPECT_EQ(flight->GetVersion(), 3u);
    EXPECT_EQ(flight->GetDate(), "date");
    EXPECT_EQ(flight->GetPressureFormula(), "(X/147.456)+10.555555");
    EXPECT_EQ(flight->GetAltitudeFormula(), "ln(PA/PR) * (-29.153) * 293");
    EXPECT_FALSE(doc.IsModified());
}

// A long preamble holds digits but never the value 126; it must not hide what follows.
TEST(TransmissionParser, ResultsDoNotDependOnHowTheTextIsSplit) {
    std::string preamble;
    for (int i = 0; i < 400; ++i)
        preamble += "noise 12 61 2 ";
    for (const std::string& text :
         {WorkedExample(), RichTransmission(), preamble + WorkedExample()}) {
        Decoded whole;
        FeedWhole(whole.parser, text);
        ASSERT_TRUE(whole.parser.IsComplete());
        const std::string expected = Describe(whole.session);

        Decoded bytewise;
        FeedBytewise(bytewise.parser, text);
        EXPECT_TRUE(bytewise.parser.IsComplete());
        EXPECT_EQ(Describe(bytewise.session), expected);

        for (unsigned seed = 1; seed <= 30; ++seed) {
            Decoded split;
            FeedRandomly(split.parser, text, seed, seed % 2 ? 9 : 700);
            EXPECT_TRUE(split.parser.IsComplete()) << "seed " << seed;
            EXPECT_EQ(Describe(split.session), expected) << "seed " << seed;
        }
    }
}

TEST(TransmissionParser, NumbersKeepTheLowEightBitsOfAnyLength) {
    // 300 → 44 as the reference's low byte; a 3000-digit number ≡ 44 (mod 256) likewise.
    const std::string longNumber = "1" + std::string(3000, '0') + "44\n";
    for (const std::string& low : {std::string("300\n"), longNumber}) {
        const std::string text = Transmission(1, {127, 1}) + low + Lines({10, 2, 127});
        Decoded whole, bytewise;
        FeedWhole(whole.parser, text);
        FeedBytewise(bytewise.parser, text);
        for (Decoded* d : {&whole, &bytewise}) {
            ASSERT_TRUE(d->parser.IsComplete());
            EXPECT_EQ(d->session.GetFlights().GetHead()->GetReferenceRaw(), 300);
        }
    }
}

TEST(TransmissionParser, WaitingMarkerStartsNeverStallTheValueBuffer) {
    // Every append ends right after a 226, so each cycle leaves one value undecoded.
    std::vector<int> body{127, 1, 0, 10};
    for (int i = 0; i < 3000; ++i)
        body.insert(body.end(), {226, 1});
    body.push_back(127);
    const std::string text = Transmission(1, body);
    Decoded d;
    std::string_view rest = text;
    while (!rest.empty() && !d.parser.IsFinished()) {
        std::size_t cut = rest.find("226\n");
        cut = cut == std::string_view::npos ? rest.size() : cut + 4;
        ASSERT_EQ(d.parser.Append(rest.data(), cut), cut);
        rest.remove_prefix(cut);
    }
    ASSERT_TRUE(d.parser.IsComplete());
    EXPECT_EQ(d.session.GetFlights().GetHead()->GetRawSamples().size(), 3u + 6000u);
}

TEST(TransmissionParser, TransmissionEnds) {
    { // 127 128 right after the header: complete, no flights.
        Decoded d;
        FeedWhole(d.parser, Transmission(0, {127, 128}));
        EXPECT_TRUE(d.parser.IsComplete());
        EXPECT_EQ(d.session.GetFlights().GetCount(), 0);
    }
    { // Two flights announced: complete at the second end mark with nothing after it.
        Decoded d;
        FeedWhole(d.parser, Transmission(2, {127, 1, 0, 10, 1, 127, 1, 0, 10, 2, 127}));
        EXPECT_TRUE(d.parser.IsComplete());
        EXPECT_EQ(d.session.GetFlights().GetCount(), 2);
        EXPECT_EQ(d.parser.Append("5\n", 2), 0u);
    }
    { // No flight count: the end mark arriving alone in a later append ends it.
        Decoded d;
        FeedWhole(d.parser, Transmission(0, {127, 1, 0, 10, 5}));
        EXPECT_FALSE(d.parser.IsFinished());
        FeedWhole(d.parser, Lines({127, 128}));
        EXPECT_TRUE(d.parser.IsComplete());
        EXPECT_EQ(d.session.GetFlights().GetCount(), 1);
    }
    { // Something other than 127 where a flight starts: stop.
        Decoded d;
        FeedWhole(d.parser, Transmission(0, {5, 127, 1, 0, 10, 1, 127, 128}));
        EXPECT_TRUE(d.parser.IsStopRequested());
        EXPECT_FALSE(d.parser.IsComplete());
        EXPECT_EQ(d.session.GetFlights().GetCount(), 0);
    }
    { // A stray character stops parsing for good; the text then fills the buffer.
        Decoded d;
        std::string text = Transmission(0, {127, 1, 0, 10, 1, 2});
        text += '\0';
        text += Lines({3, 127, 128});
        FeedWhole(d.parser, text + std::string(2000, ' '));
        EXPECT_FALSE(d.parser.IsFinished());
        EXPECT_EQ(d.parser.GetFreeSpace(), 0u);
        EXPECT_EQ(d.session.GetFlights().GetHead()->GetRawSamples().size(), 5u);
    }
}

TEST(TransmissionParser, HeaderIsSoughtAtTheFirstValue126) {
    // "1261" holds the sync text but is the number 237; it and 5 are dropped.
    const std::string text = "1261 5 " + Transmission(1, {127, 0, 9, 10, 1, 127});
    Decoded d;
    FeedWhole(d.parser, text);
    ASSERT_TRUE(d.parser.IsComplete());
    EXPECT_EQ(d.parser.GetHeader()[0], 126);
    EXPECT_EQ(d.session.GetFlights().GetHead()->GetReferenceRaw(), 9);
}

// --- The flight's own decoding ---

TEST(DataBlockDecoding, StepsAreSignedAndWrapAt16Bits) {
    CDataBlock flight;
    const std::uint8_t values[] = {127, 1, 0, 10, 5, 251, 127};
    std::size_t remaining = sizeof values;
    EXPECT_EQ(flight.DecodeBytes(values, remaining), 1);
    EXPECT_EQ(remaining, 1u);
    EXPECT_EQ(flight.GetReferenceRaw(), 256);
    EXPECT_EQ(flight.GetSampleRate(), 1000);

    CDataBlock wrap;
    const std::uint8_t zero[] = {0, 0, 1, 1, 255};
    remaining = sizeof zero;
    EXPECT_EQ(wrap.DecodeBytes(zero, remaining), 0);
    EXPECT_EQ(remaining, 0u);
    wrap.FinishDecoding({}, 1);
    EXPECT_EQ(wrap.GetRawSamples(), (std::vector<std::uint16_t>{65535, 0}));
    EXPECT_EQ(wrap.GetName(), "Flight 2");

    flight.FinishDecoding({}, 0);
    EXPECT_EQ(flight.GetRawSamples(), (std::vector<std::uint16_t>{251, 256}));
}

TEST(DataBlockDecoding, MarkerNeedsASampleAndItsSecondValue) {
    CDataBlock flight;
    // 226 30 before any sample: two steps, +30 then −30.
    const std::uint8_t first[] = {127, 0, 100, 5, 226, 30, 226};
    std::size_t remaining = sizeof first;
    EXPECT_EQ(flight.DecodeBytes(first, remaining), 0);
    EXPECT_EQ(remaining, 1u); // the last 226 waits for the next value
    const std::uint8_t second[] = {226, 30, 226, 30, 226, 7};
    remaining = sizeof second;
    EXPECT_EQ(flight.DecodeBytes(second, remaining), 0);
    EXPECT_EQ(remaining, 0u);
    flight.FinishDecoding({}, 0);
    EXPECT_EQ(flight.GetRawSamples(), (std::vector<std::uint16_t>{130, 100, 130, 123}));
    ASSERT_EQ(flight.GetAnnotations().GetCount(), 2);
    EXPECT_EQ(flight.GetAnnotations().GetAt(0)->m_strText, "M1");
    EXPECT_EQ(flight.GetAnnotations().GetAt(1)->m_strText, "M2");
    EXPECT_DOUBLE_EQ(flight.GetAnnotations().GetAt(0)->m_dTime, 0.5); // sample 1 at 500 ms
}

TEST(DataBlockDecoding, ShortFlightsFinishEmpty) {
    CDataBlock flight;
    flight.SetPressureFormula("X");
    const std::uint8_t values[] = {127, 1, 2};
    std::size_t remaining = sizeof values;
    EXPECT_EQ(flight.DecodeBytes(values, remaining), 0);
    flight.FinishDecoding({126, 9}, 0);
    EXPECT_EQ(flight.GetReferenceRaw(), 0);
    EXPECT_EQ(flight.GetSampleRate(), 1000);
    EXPECT_TRUE(flight.GetRawSamples().empty());
    EXPECT_EQ(flight.GetVersion(), 9u);
    EXPECT_EQ(flight.GetPressureFormula(), "X"); // no document: formulas stay
}
