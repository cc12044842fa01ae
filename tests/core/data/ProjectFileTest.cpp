#include "framework/Archive.h"
#include "framework/FileException.h"
#include "support/ByteBuilder.h"
#include "support/FakeUi.h"
#include "support/ProjectDump.h"
#include "support/RecordingView.h"

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

class ProjectFile : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir =
            std::filesystem::temp_directory_path() /
            ("kubo_project_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }
    std::string PathOf(const std::string& name) const { return (m_dir / name).string(); }

    std::filesystem::path m_dir;
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
    for (std::size_t samples : {std::size_t{65534}, std::size_t{65535}, std::size_t{70000}}) {
        SCOPED_TRACE(samples);
        CMainDoc doc(&m_ui);
        auto session = std::make_unique<CDataModule>(&doc);
        session->SetName(std::string(300, 'n'), false, nullptr);
        auto flight = std::make_unique<CDataBlock>();
        flight->GetRawSamples().assign(samples, 0x1234);
        session->AppendFlight(std::move(flight));
        doc.GetSessions().AddTail(std::move(session));
        const auto bytes = Save(doc);

        const auto header = V6Header().u16(1).newClass("CDataModule").u16(0).bytes();
        ASSERT_GT(bytes.size(), header.size() + 3);
        EXPECT_TRUE(std::equal(header.begin(), header.end(), bytes.begin()));
        EXPECT_EQ(bytes[header.size()], 0xFF);
        EXPECT_EQ(bytes[header.size() + 1] | bytes[header.size() + 2] << 8, 300);

        const std::size_t countAt = bytes.size() - samples * 2 - (samples >= 65535 ? 6 : 2);
        EXPECT_EQ(bytes[countAt] | bytes[countAt + 1] << 8, samples >= 65535 ? 0xFFFF : samples);
        if (samples >= 65535) {
            EXPECT_EQ(bytes[countAt + 2] | bytes[countAt + 3] << 8 | bytes[countAt + 4] << 16,
                      static_cast<int>(samples));
        }

        CMainDoc again(&m_ui);
        Load(again, bytes);
        EXPECT_EQ(DumpProject(again), DumpProject(doc));
    }
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
    auto withVersion = golden;
    withVersion[0] = 0;
    EXPECT_EQ(LoadFailure(doc, withVersion), C::badSchema);
    withVersion[0] = 7;
    EXPECT_EQ(LoadFailure(doc, withVersion), C::badSchema);

    // A flight where a session belongs, and a session where a flight belongs.
    EXPECT_EQ(LoadFailure(doc, V6Header().u16(1).newClass("CDataBlock").bytes()), C::badClass);
    EXPECT_EQ(LoadFailure(doc, V6Header()
                                   .u16(1)
                                   .newClass("CDataModule")
                                   .u16(0)
                                   .text("S")
                                   .u32(0)
                                   .u16(1)
                                   .u16(0x8001)
                                   .bytes()),
              C::badClass);
    // A session listed twice, and a session that lists itself as its flight.
    auto emptySession = [](ByteBuilder& b) { b.u16(0).text("S").u32(0).u16(0); };
    ByteBuilder twice = V6Header().u16(2).newClass("CDataModule");
    emptySession(twice);
    twice.u16(2);
    EXPECT_EQ(LoadFailure(doc, twice.bytes()), C::badIndex);
    EXPECT_EQ(LoadFailure(doc, V6Header()
                                   .u16(1)
                                   .newClass("CDataModule")
                                   .u16(0)
                                   .text("S")
                                   .u32(0)
                                   .u16(1)
                                   .u16(2)
                                   .bytes()),
              C::badIndex);
    // A flight whose parent is a new object instead of a reference.
    EXPECT_EQ(LoadFailure(doc, V6Header()
                                   .u16(1)
                                   .newClass("CDataModule")
                                   .u16(0)
                                   .text("S")
                                   .u32(0)
                                   .u16(1)
                                   .newClass("CDataBlock")
                                   .u16(0x8001)
                                   .bytes()),
              C::badClass);
    // Comments longer than the file.
    EXPECT_EQ(
        LoadFailure(
            doc,
            V6Header().u16(1).newClass("CDataModule").u16(0).text("S").u32(0xFFFFFFF0).bytes()),
        C::endOfFile);
    EXPECT_EQ(DumpProject(doc), before);
}

TEST_F(ProjectFile, OpenAndSaveGoThroughTheFileChecks) {
    const std::string path = PathOf("p.qlg");
    const std::string empty = PathOf("empty.qlg");
    std::ofstream(empty).close();

    CMainDoc doc(&m_ui);
    RecordingView view;
    doc.AddView(&view);
    try {
        (void)doc.GetFileForLoad(empty);
        ADD_FAILURE() << "an empty project file must not open";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.GetCause(), CFileException::endOfFile);
    }
    EXPECT_FALSE(doc.OnOpenDocument(empty));
    EXPECT_FALSE(doc.OnOpenDocument(PathOf("missing.qlg")));
    EXPECT_EQ(m_ui.Messages().size(), 2u);
    EXPECT_TRUE(view.Hints().empty()); // nothing was cleared

    Load(doc, ReadData("two_sessions_v6.qlg"));
    doc.SetModifiedFlag(true);
    ASSERT_TRUE(doc.OnSaveDocument(path));
    EXPECT_EQ(view.Hints(), std::vector<long>{HINT_SAVE});
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

TEST_F(ProjectFile, OpeningReplacesTheProjectOnlyWhenTheFileIsSound) {
    const std::string good = PathOf("good.qlg");
    const std::string bad = PathOf("bad.qlg");
    const auto golden = ReadData("worked_layout_v6.qlg");
    std::ofstream(good, std::ios::binary)
        .write(reinterpret_cast<const char*>(golden.data()),
               static_cast<std::streamsize>(golden.size()));
    std::ofstream(bad, std::ios::binary)
        .write(reinterpret_cast<const char*>(golden.data()),
               static_cast<std::streamsize>(golden.size() - 1));
    CMainDoc doc(&m_ui);
    RecordingView view;
    doc.AddView(&view);
    doc.GetSessions().AddTail(std::make_unique<CDataModule>(&doc));
    doc.SetModifiedFlag(true);

    EXPECT_FALSE(doc.OnOpenDocument(bad));
    EXPECT_EQ(doc.GetSessions().GetCount(), 1);
    EXPECT_TRUE(doc.IsModified());
    ASSERT_EQ(m_ui.Messages().size(), 1u);
    EXPECT_NE(m_ui.Messages()[0].text.find("bad.qlg"), std::string::npos);

    EXPECT_TRUE(doc.OnOpenDocument(good));
    EXPECT_EQ(view.Hints(), std::vector<long>{HINT_CLEAR});
    ASSERT_EQ(doc.GetSessions().GetCount(), 1);
    EXPECT_EQ(doc.GetSessions().GetHead()->GetName(), "Session 1");
    EXPECT_FALSE(doc.IsModified());
}
