#include "data/Annotation.h"
#include "data/DataBlock.h"
#include "data/DataModule.h"
#include "data/TransmissionReader.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"
#include "support/FakeClock.h"
#include "support/FakeUi.h"
#include "support/TempDir.h"
#include "support/Transmission.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <sys/stat.h>

using namespace testing_transmission;

namespace {

std::unique_ptr<CDataBlock> MakeFlight(std::string name, std::uint16_t reference, int rate,
                                       std::vector<std::uint16_t> samples, unsigned version = 3) {
    auto flight = std::make_unique<CDataBlock>();
    flight->SetName(std::move(name), false, nullptr);
    flight->SetDate("06.12.2026 17:10");
    flight->SetReferenceRaw(reference);
    flight->SetSampleRate(rate);
    flight->SetVersion(version);
    flight->GetRawSamples() = std::move(samples);
    return flight;
}

std::string ExportAll(const std::vector<const CDataBlock*>& flights) {
    std::ostringstream out;
    for (std::size_t i = 0; i < flights.size(); ++i)
        flights[i]->ExportRaw(out, static_cast<int>(i), static_cast<int>(flights.size()));
    return out.str();
}

struct Import {
    FakeUi ui;
    FakeClock clock;
    CDataModule session;
    CTransmissionReader reader{session, ui, clock};
    bool Run(const std::string& path) { return reader.ImportRawText(path); }
};

} // namespace

TEST(RawExport, OneFlightIsWrittenLineByLine) {
    const auto flight = MakeFlight("Flight 1", 300, 1000, {298, 301});
    const std::string expected =
        "Flight 1\n06.12.2026 17:10\n" + Lines({126, 3,   10,  127, 1, 0,  0,  255, 255, 255, 255,
                                                255, 255, 255, 127, 1, 44, 10, 2,   253, 127, 128});
    EXPECT_EQ(ExportAll({flight.get()}), expected);
}

TEST(RawExport, HeaderOnceAndEndMarkAfterTheLastFlight) {
    const auto a = MakeFlight("a", 256, 500, {255});
    const auto b = MakeFlight("b", 10, 200, {});
    const auto c = MakeFlight("c", 0, 100, {65535});
    const std::string text = ExportAll({a.get(), b.get(), c.get()});
    const std::string expected =
        "a\n06.12.2026 17:10\n" +
        Lines({126, 3, 5, 127, 3,   0, 0,  255, 255, 255, 255, 255, 255, 255, 127,
               1,   0, 5, 1,   127, 0, 10, 2,   127, 0,   0,   1,   1,   127, 128});
    EXPECT_EQ(text, expected);
}

TEST(RawImport, ExportedFlightsComeBackTheSame) {
    std::mt19937 random(11);
    std::vector<std::unique_ptr<CDataBlock>> flights;
    for (int f = 0; f < 3; ++f) {
        std::vector<std::uint16_t> samples;
        // Steps (previous - sample) of 127 or of 226 before 30 cannot be told from marks.
        const int reference = 40000 + 1000 * f;
        int value = reference;
        for (int i = 0; i < 1500; ++i) {
            const int step = static_cast<int>(random() % 255) - 128;
            value -= step == 127 || step == -30 ? 0 : step;
            samples.push_back(static_cast<std::uint16_t>(value));
        }
        flights.push_back(MakeFlight(f == 0 ? "Run 126" : "b",
                                     static_cast<std::uint16_t>(reference), 100 * (f + 1), samples,
                                     7 + f));
        flights.back()->AppendAnnotation(std::make_unique<CAnnotation>());
    }
    const TempDir dir("kubo_raw");
    Import import;
    import.ui.ReadWindow().finalOk = true;
    ASSERT_TRUE(import.Run(
        dir.Write("a.txt", ExportAll({flights[0].get(), flights[1].get(), flights[2].get()}))));
    EXPECT_TRUE(import.ui.Messages().empty());
    ASSERT_EQ(import.session.GetFlights().GetCount(), 3);
    for (int f = 0; f < 3; ++f) {
        const CDataBlock* in = import.session.GetFlights().GetAt(f);
        const CDataBlock* out = flights[static_cast<std::size_t>(f)].get();
        EXPECT_EQ(in->GetName(), "Flight " + std::to_string(f + 1));
        EXPECT_EQ(in->GetVersion(), 7u);
        EXPECT_EQ(in->GetReferenceRaw(), out->GetReferenceRaw());
        EXPECT_EQ(in->GetSampleRate(), out->GetSampleRate());
        EXPECT_EQ(in->GetRawSamples(), out->GetRawSamples());
        EXPECT_TRUE(in->GetAnnotations().IsEmpty());
    }
}

TEST(RawImport, FilesThatHoldNoFlights) {
    const TempDir dir("kubo_raw");
    // No "126" after the two skipped lines, or nothing at all: nothing, and no question.
    for (const char* text : {"126 in a name\n126\n1 2 3 4 5\n", ""}) {
        Import import;
        EXPECT_FALSE(import.Run(dir.Write("none.txt", text)));
        EXPECT_TRUE(import.ui.Messages().empty());
    }
    { // A missing file is reported.
        Import import;
        EXPECT_FALSE(import.Run("/nonexistent/kubo/raw.txt"));
        EXPECT_EQ(import.ui.Messages().size(), 1u);
        EXPECT_EQ(import.ui.ReadWindow().created, 0);
    }
}

// Heading lines that end at CR alone hid the whole file (it was skipped to the second line
// feed), and a UTF-16 file decoded nothing. Every form reads the same flights.
TEST(RawImport, LineEndsAndEncodingsOfTheHeadingAndText) {
    const auto flight = MakeFlight("Run 126", 300, 1000, {298, 301, 290});
    const std::string lf = ExportAll({flight.get()});
    const auto replaced = [&](const std::string& end) {
        std::string text;
        for (char c : lf)
            text += c == '\n' ? end : std::string(1, c);
        return text;
    };
    const auto utf16 = [&](bool little) {
        std::string text = little ? "\xFF\xFE" : "\xFE\xFF";
        for (char c : replaced("\r\n"))
            text += little ? std::string{c, '\0'} : std::string{'\0', c};
        return text;
    };
    const std::string noBreakSpace =
        utf16(true).substr(0, 2) + std::string("\xA0\0", 2); // not ASCII
    const TempDir dir("kubo_raw");
    for (const std::string& contents :
         {lf, replaced("\r\n"), replaced("\r"), "\xEF\xBB\xBF" + lf, utf16(true), utf16(false),
          noBreakSpace + utf16(true).substr(2)}) {
        Import import;
        EXPECT_TRUE(import.Run(dir.Write("a.txt", contents)));
        ASSERT_EQ(import.session.GetFlights().GetCount(), 1);
        EXPECT_EQ(import.session.GetFlights().GetHead()->GetRawSamples(),
                  (std::vector<std::uint16_t>{298, 301, 290}));
        EXPECT_TRUE(import.ui.Messages().empty());
    }
}

// kubo-cli info on a pipe blocked for good; a device was read without end. Both are refused
// before they are opened, and so is a folder.
TEST(RawImport, AnythingButARegularFileIsRefused) {
    const TempDir dir("kubo_raw");
    std::vector<std::pair<std::string, const char*>> cases{{dir.Dir().string(), "is a folder"}};
#ifndef _WIN32 // pipes in the file system and /dev are POSIX's
    const std::string fifo = dir.Path("pipe");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    cases.emplace_back(fifo, "not a regular file");
    cases.emplace_back("/dev/zero", "not a regular file");
#endif
    for (const auto& [path, words] : cases) {
        Import import;
        EXPECT_FALSE(import.Run(path));
        ASSERT_EQ(import.ui.Messages().size(), 1u) << path;
        EXPECT_NE(import.ui.Messages()[0].text.find(words), std::string::npos)
            << import.ui.Messages()[0].text;
        EXPECT_EQ(import.ui.ReadWindow().created, 0);
    }
}

TEST(RawImport, FileCutInAFlightAsksToKeepIt) {
    const auto flight = MakeFlight("a", 300, 1000, {298, 301, 290});
    std::string text = ExportAll({flight.get()});
    text.resize(text.size() - 8); // without "127\n128\n"
    const TempDir dir("kubo_raw");
    Import import;
    import.ui.QueueAnswer(MsgResult::Yes);
    EXPECT_TRUE(import.Run(dir.Write("cut.txt", text)));
    ASSERT_EQ(import.ui.Messages().size(), 1u);
    EXPECT_EQ(import.ui.Messages()[0].text, LoadString(str::KeepIncompleteData));
    ASSERT_EQ(import.session.GetFlights().GetCount(), 1);
    EXPECT_EQ(import.session.GetFlights().GetHead()->GetRawSamples(),
              (std::vector<std::uint16_t>{298, 301, 290}));
}
