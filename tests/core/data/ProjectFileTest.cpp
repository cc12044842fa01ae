#include "framework/Archive.h"
#include "framework/FileException.h"
#include "support/ByteBuilder.h"
#include "support/FakeUi.h"
#include "support/ProjectBuilder.h"
#include "support/ProjectDump.h"
#include "support/RecordingView.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {
std::vector<std::uint8_t> ReadData(const std::string& name) {
    std::ifstream in(std::string(KUBO_TEST_DATA_DIR) + "/" + name, std::ios::binary);
    EXPECT_TRUE(in) << name;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Load(CMainDoc& doc, const std::vector<std::uint8_t>& bytes) {
    CMemoryInput in(bytes);
    CArchive ar(in, "project.qlg");
    doc.Serialize(ar);
}

std::vector<std::uint8_t> Save(CMainDoc& doc) {
    CMemoryOutput out;
    CArchive ar(out, "project.qlg");
    doc.Serialize(ar);
    ar.Flush();
    return out.Data();
}

CArchiveException::Cause LoadFailure(CMainDoc& doc, const std::vector<std::uint8_t>& bytes) {
    try {
        Load(doc, bytes);
    } catch (const CArchiveException& e) {
        return static_cast<CArchiveException::Cause>(e.GetCause());
    }
    return CArchiveException::none;
}

// The project header of a version-6 file with empty chart block and user texts.
ByteBuilder V6Header() {
    return ByteBuilder().u16(6).u16(0).u8(0).u8(0).u8(0).u8(0);
}

// A version-6 project whose one session "S" has no parent, empty comments and `flights` flights
// still to follow.
ByteBuilder OneSession(std::uint16_t flights) {
    return V6Header().u16(1).newClass("CDataModule").u16(0).text("S").u32(0).u16(flights);
}

class ProjectFile : public ::testing::Test {
protected:
    TempDir m_dir{"kubo_project"};
    FakeUi m_ui;
};
} // namespace

TEST_F(ProjectFile, WorkedLayoutLoadsEveryFieldAndSavesByteForByte) {
    const auto golden = ReadData("worked_layout_v6.qlg");
    CMainDoc doc(&m_ui);
    ASSERT_TRUE(doc.OnOpenDocument(std::string(KUBO_TEST_DATA_DIR) + "/worked_layout_v6.qlg"));
    EXPECT_EQ(DumpProject(doc),
              "chart 0:\n"
              "user [A-B][Climb][PA*2][Double]\n"
              "session [Session 1] doc 1 comments [{\\rtf1\\ansi Caf\xE9}]\n"
              " flight [Flight 1][01.05.2024 10:00:00] v3 ref 1234 rate 500 "
              "[ln(PA/PR) * (-29.153) * 293][(X/147.456)+10.555555] shown 1 parent 1 "
              "pending 1 1.5 -2 applied 3 4\n"
              "  samples 100 200 65535\n"
              "  note owner 1 vis 1 kind 2 style 15 align 1 at 12.5 100.25 [M1] colour 65280 "
              "bound 1\n");
    EXPECT_EQ(Save(doc), golden);
}

TEST_F(ProjectFile, EveryVersionFromOneToSixLoadsWithTheFieldsItHas) {
    for (int version = 1; version <= 6; ++version) {
        SCOPED_TRACE(version);
        CMainDoc doc(&m_ui);
        doc.SetUserFormula(1, "kept");
        Load(doc, ReadData("two_sessions_v" + std::to_string(version) + ".qlg"));
        ASSERT_EQ(doc.GetSessions().GetCount(), 2);
        EXPECT_EQ(doc.GetChartState().GetData(), (std::vector<std::uint8_t>{7, 8, 9}));
        EXPECT_EQ(doc.GetUserFormula(1), version >= 6 ? "" : "kept");

        const CDataModule* second = doc.GetSessions().GetAt(1);
        EXPECT_EQ(second->GetName(), "Second");
        ASSERT_EQ(second->GetFlights().GetCount(), 2);
        EXPECT_EQ(second->GetFlights().GetAt(1)->GetName(), "Flight 3");
        EXPECT_EQ(second->GetFlights().GetAt(1)->GetParent(), second);

        const CDataBlock* flight = doc.GetSessions().GetHead()->GetFlights().GetHead();
        EXPECT_EQ(flight->IsPendingOffsetActive(), version >= 3);
        EXPECT_EQ(flight->GetPendingAltitudeOffset(), version >= 3 ? 10.0f : 0.0f);
        EXPECT_EQ(flight->GetAppliedTimeOffset(), version >= 4 ? 1.0f : 0.0f);
        ASSERT_EQ(flight->GetAnnotations().GetCount(), 2);
        for (const CAnnotation* note : flight->GetAnnotations())
            EXPECT_EQ(note->m_bBoundToData, version >= 5);
        EXPECT_EQ(flight->GetAnnotations().GetAt(1)->m_strText, "Two\r\nlines");

        // Saved as version 6 and read back, nothing changes.
        const std::string before = DumpProject(doc);
        const auto saved = Save(doc);
        EXPECT_EQ(saved[0], 6);
        CMainDoc again(&m_ui);
        Load(again, saved);
        EXPECT_EQ(DumpProject(again), before);
    }
    // The version-6 file is exactly what saving writes.
    CMainDoc doc(&m_ui);
    Load(doc, ReadData("two_sessions_v6.qlg"));
    EXPECT_EQ(Save(doc), ReadData("two_sessions_v6.qlg"));
}

TEST_F(ProjectFile, LongNamesAndLargeSampleCountsUseTheirLongForms) {
    const std::size_t samples = 70000;
    CMainDoc doc(&m_ui);
    CDataModule* session = testing_project::AddSession(doc, {}, std::string(300, 'n'));
    testing_project::AddFlight(*session)->GetRawSamples().assign(samples, 0x1234);
    const auto bytes = Save(doc);

    auto expectAt = [&](std::size_t at, const ByteBuilder& expected) {
        ASSERT_LE(at + expected.size(), bytes.size());
        EXPECT_TRUE(
            std::equal(expected.bytes().begin(), expected.bytes().end(), bytes.begin() + at))
            << "at " << at;
    };
    expectAt(0, V6Header().u16(1).newClass("CDataModule").u16(0).u8(0xFF).u16(300));
    expectAt(bytes.size() - samples * 2 - 6, ByteBuilder().u16(0xFFFF).u32(samples));

    CMainDoc again(&m_ui);
    Load(again, bytes);
    EXPECT_EQ(DumpProject(again), DumpProject(doc));
}

TEST_F(ProjectFile, DamagedFilesAreRefusedAndLeaveTheDocumentAsItWas) {
    using C = CArchiveException;
    const auto golden = ReadData("worked_layout_v6.qlg");
    CMainDoc doc(&m_ui);
    doc.GetSessions().AddTail(std::make_unique<CDataModule>(&doc));
    doc.SetUserFormula(2, "mine");
    const std::string before = DumpProject(doc);

    for (std::size_t length = 0; length < golden.size(); ++length) {
        const std::vector<std::uint8_t> cut(golden.begin(), golden.begin() + length);
        ASSERT_EQ(LoadFailure(doc, cut), C::endOfFile) << length;
    }
    for (const std::uint8_t version : {0, 7}) {
        auto withVersion = golden;
        withVersion[0] = version;
        EXPECT_EQ(LoadFailure(doc, withVersion), C::badSchema);
    }
    ByteBuilder twice = V6Header().u16(2).newClass("CDataModule").u16(0).text("S").u32(0).u16(0);
    const std::pair<ByteBuilder, C::Cause> cases[] = {
        // A flight where a session belongs, and a session where a flight belongs.
        {V6Header().u16(1).newClass("CDataBlock"), C::badClass},
        {OneSession(1).u16(0x8001), C::badClass},
        // A session listed twice, and a session that lists itself as its flight.
        {twice.u16(2), C::badIndex},
        {OneSession(1).u16(2), C::badIndex},
        // A flight whose parent is a new object instead of a reference.
        {OneSession(1).newClass("CDataBlock").u16(0x8001), C::badClass},
        // Comments longer than the file.
        {V6Header().u16(1).newClass("CDataModule").u16(0).text("S").u32(0xFFFFFFF0), C::endOfFile},
    };
    for (const auto& [bytes, cause] : cases)
        EXPECT_EQ(LoadFailure(doc, bytes.bytes()), cause);
    EXPECT_EQ(DumpProject(doc), before);
}

TEST_F(ProjectFile, OpenAndSaveReplaceTheProjectOnlyWhenTheFileIsSound) {
    const std::string path = m_dir.Path("p.qlg");
    const std::string bad = m_dir.Path("bad.qlg");
    const auto golden = ReadData("worked_layout_v6.qlg");
    std::ofstream(m_dir.Path("empty.qlg")).close();
    std::ofstream(bad, std::ios::binary)
        .write(reinterpret_cast<const char*>(golden.data()),
               static_cast<std::streamsize>(golden.size() - 1));
    CMainDoc doc(&m_ui);
    RecordingView view;
    doc.AddView(&view);
    doc.GetSessions().AddTail(std::make_unique<CDataModule>(&doc));
    doc.SetModifiedFlag(true);

    EXPECT_FALSE(doc.OnOpenDocument(m_dir.Path("empty.qlg")));
    EXPECT_FALSE(doc.OnOpenDocument(m_dir.Path("missing.qlg")));
    EXPECT_FALSE(doc.OnOpenDocument(bad));
    EXPECT_EQ(doc.GetSessions().GetCount(), 1);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(view.Hints().empty()); // nothing was cleared
    ASSERT_EQ(m_ui.Messages().size(), 3u);
    EXPECT_NE(m_ui.Messages()[2].text.find("bad.qlg"), std::string::npos);

    EXPECT_TRUE(doc.OnOpenDocument(std::string(KUBO_TEST_DATA_DIR) + "/two_sessions_v6.qlg"));
    EXPECT_EQ(view.Hints(), std::vector<long>{HINT_CLEAR});
    EXPECT_EQ(doc.GetSessions().GetCount(), 2);
    EXPECT_FALSE(doc.IsModified());
    doc.SetModifiedFlag(true);
    ASSERT_TRUE(doc.OnSaveDocument(path));
    EXPECT_EQ(view.Hints(), (std::vector<long>{HINT_CLEAR, HINT_SAVE}));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetPathName(), path);

    CMainDoc reopened(&m_ui);
    ASSERT_TRUE(reopened.OnOpenDocument(path));
    EXPECT_EQ(DumpProject(reopened), DumpProject(doc));

    std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::group_read);
    try {
        (void)doc.GetFileForSave(path);
        ADD_FAILURE() << "a read-only project file must not be overwritten";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.GetCause(), CFileException::accessDenied);
        EXPECT_EQ(e.GetFileName(), path);
    }
    EXPECT_FALSE(doc.OnSaveDocument(path));
}
