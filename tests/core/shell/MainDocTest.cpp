#include "shell/MainDoc.h"

#include "data/DataBlock.h"
#include "data/DataModule.h"
#include "framework/FileException.h"
#include "framework/MemoryRegistryStore.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"
#include "support/AllocationLimit.h"
#include "support/FakeUi.h"
#include "support/ProjectBuilder.h"
#include "support/RecordingView.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

namespace {
constexpr const char* kOptions = "Software\\Tervane\\Kubo\\Options";

// A safe file whose disk fills up after a given number of bytes.
class FailingSafeFile : public CSafeFile {
public:
    FailingSafeFile(std::string path, std::size_t budget)
        : CSafeFile(std::move(path)), m_budget(budget) {}

protected:
    ssize_t WriteSome(int fd, const std::uint8_t* data, std::size_t size) override {
        if (m_budget == 0) {
            errno = ENOSPC;
            return -1;
        }
        const std::size_t now = std::min(size, m_budget);
        m_budget -= now;
        return CSafeFile::WriteSome(fd, data, now);
    }

private:
    std::size_t m_budget;
};

class FailingDoc : public CMainDoc {
public:
    using CMainDoc::CMainDoc;
    std::unique_ptr<CSafeFile> GetFileForSave(const std::string& path) override {
        return std::make_unique<FailingSafeFile>(path, m_budget);
    }
    std::size_t m_budget = 0;
};

} // namespace

TEST(MainDocSettings, UserValuesOverrideMachineFormulasOverrideBuiltIns) {
    MemoryRegistryStore store;
    store.Put(RegRoot::LocalMachine, kOptions, "Formula_Pressure", std::string("X*2"));
    store.Put(RegRoot::LocalMachine, kOptions, "Formula_Altitude", std::string("PA-PR"));
    store.Put(RegRoot::LocalMachine, kOptions, "Show_Feet", std::uint32_t{1}); // not machine-wide
    {
        CMainDoc doc(nullptr, &store);
        EXPECT_EQ(doc.GetDefaultPressureFormula(), "X*2");
        EXPECT_EQ(doc.GetDefaultAltitudeFormula(), "PA-PR");
        EXPECT_EQ(doc.GetShowFeet(), 0u);
    }
    store.Put(RegRoot::CurrentUser, kOptions, "Formula_Altitude", std::string("PA"));
    store.Put(RegRoot::CurrentUser, kOptions, "Show_Feet", std::uint32_t{1});
    store.Put(RegRoot::CurrentUser, kOptions, "CommPortIndex", std::uint32_t{3});
    store.Put(RegRoot::CurrentUser, kOptions, "Formula_User1", std::string("PA*2"));
    store.Put(RegRoot::CurrentUser, kOptions, "Formula_User2t", std::string("Title 2"));
    CMainDoc doc(nullptr, &store);
    EXPECT_EQ(doc.GetDefaultPressureFormula(), "X*2");
    EXPECT_EQ(doc.GetDefaultAltitudeFormula(), "PA");
    EXPECT_EQ(doc.GetShowFeet(), 1u);
    EXPECT_EQ(doc.GetPortIndex(), 3u);
    EXPECT_EQ(doc.GetUserFormula(1), "PA*2");
    EXPECT_EQ(doc.GetUserTitle(2), "Title 2");
}

TEST(MainDocSettings, MistypedOrMisSizedValuesKeepTheCurrentOnes) {
    MemoryRegistryStore store;
    store.Put(RegRoot::CurrentUser, kOptions, "Formula_Pressure", std::uint32_t{5});
    store.Put(RegRoot::CurrentUser, kOptions, "Show_Feet", std::string("1"));
    store.Put(RegRoot::CurrentUser, kOptions, "CommPortIndex",
              std::vector<std::uint8_t>{1, 0, 0, 0});
    store.Put(RegRoot::CurrentUser, kOptions, "CommPortSetup", std::vector<std::uint8_t>(29, 0xAA));
    {
        CMainDoc doc(nullptr, &store);
        EXPECT_EQ(doc.GetDefaultPressureFormula(), CMainDoc::kBuiltInPressureFormula);
        EXPECT_EQ(doc.GetShowFeet(), 0u);
        EXPECT_EQ(doc.GetPortIndex(), 0u);
        EXPECT_EQ(doc.GetPortSetup(), CPortSetupBlock());
    }
    store.Put(RegRoot::CurrentUser, kOptions, "CommPortSetup", std::vector<std::uint8_t>(10, 0xAA));
    EXPECT_EQ(CMainDoc(nullptr, &store).GetPortSetup(), CPortSetupBlock());

    CPortSetupBlock nineSixHundred;
    nineSixHundred.SetBaudRate(9600);
    store.Put(
        RegRoot::CurrentUser, kOptions, "CommPortSetup",
        std::vector<std::uint8_t>(nineSixHundred.Bytes().begin(), nineSixHundred.Bytes().end()));
    EXPECT_EQ(CMainDoc(nullptr, &store).GetPortSetup().GetBaudRate(), 9600u);
}

TEST(MainDocSettings, SavedSettingsAreWhatTheNextDocumentReads) {
    MemoryRegistryStore store;
    CMainDoc doc(nullptr, &store);
    doc.SetDefaultAltitudeFormula("PA*3");
    doc.SetDefaultPressureFormula("X");
    doc.SetShowFeet(1);
    doc.SetPortIndex(8);
    CPortSetupBlock setup;
    setup.SetBaudRate(115200);
    doc.SetPortSetup(setup);
    doc.SetUserFormula(1, "not saved here");
    ASSERT_TRUE(doc.SaveSettings(store));
    EXPECT_EQ(store.GetWriteCount(), 6);
    EXPECT_EQ(store.Get(RegRoot::CurrentUser, kOptions, "Show_Feet"), RegValue{std::uint32_t{1}});
    EXPECT_FALSE(store.Get(RegRoot::CurrentUser, kOptions, "Formula_User1"));
    EXPECT_FALSE(store.Get(RegRoot::LocalMachine, kOptions, "Formula_Altitude"));

    CMainDoc next(nullptr, &store);
    EXPECT_EQ(next.GetDefaultAltitudeFormula(), "PA*3");
    EXPECT_EQ(next.GetDefaultPressureFormula(), "X");
    EXPECT_EQ(next.GetShowFeet(), 1u);
    EXPECT_EQ(next.GetPortIndex(), 8u);
    EXPECT_EQ(next.GetPortSetup(), setup);

    store.SetAvailable(RegRoot::CurrentUser, false);
    EXPECT_FALSE(doc.SaveSettings(store));
}

TEST(MainDocSettings, AClearedSerialDeviceDoesNotComeBack) {
    MemoryRegistryStore store;
    CMainDoc doc(nullptr, &store);
    doc.SetPortName("/dev/ttyUSB0");
    ASSERT_TRUE(doc.SaveSettings(store));
    EXPECT_EQ(CMainDoc(nullptr, &store).GetPortName(), "/dev/ttyUSB0");
    doc.SetPortName({});
    ASSERT_TRUE(doc.SaveSettings(store));
    EXPECT_EQ(CMainDoc(nullptr, &store).GetPortName(), "");
}

TEST(MainDocNames, ANameTheProjectFileCannotHoldIsQuestionedBeforeItIsTaken) {
    FakeUi ui;
    CMainDoc doc(&ui);
    // Windows-1252 holds "café €" but neither the omega nor the Cyrillic letter.
    EXPECT_EQ(doc.AcceptTypedName("caf\xC3\xA9 \xE2\x82\xAC"), "caf\xC3\xA9 \xE2\x82\xAC");
    EXPECT_TRUE(ui.Messages().empty());

    const std::string typed = "\xCE\xA9mega \xD1\x88 \xCE\xA9";
    EXPECT_EQ(doc.AcceptTypedName(typed), std::nullopt); // No: back to editing
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(ui.Messages()[0].text,
              FormatString2(str::NameNotStorable, typed, "\xCE\xA9\xD1\x88"));
    ui.QueueAnswer(MsgResult::Yes);
    EXPECT_EQ(doc.AcceptTypedName(typed), "?mega ? ?"); // as the file will hold it
}

TEST(MainDocDisplay, FeetUseTheSinglePrecisionFactor) {
    CMainDoc doc;
    EXPECT_EQ(doc.ToDisplayUnits(100.0), 100.0);
    EXPECT_EQ(doc.FormatAltitude(doc.ToDisplayUnits(100.0)), "100.0 m");
    EXPECT_EQ(doc.GetUnitName(false), "m");

    doc.SetShowFeet(1);
    EXPECT_DOUBLE_EQ(doc.ToDisplayUnits(100.0), 328.08399200439453);
    EXPECT_EQ(doc.ToDisplayUnits(100.0f), 100.0f * 3.28084f);
    EXPECT_EQ(doc.FormatAltitude(doc.ToDisplayUnits(100.0)), "328.1 ft");
    EXPECT_DOUBLE_EQ(doc.FromDisplayUnits(328.08399200439453), 100.0);
    EXPECT_FLOAT_EQ(doc.FromDisplayUnits(328.084f), 100.0f);
    EXPECT_EQ(doc.FormatAltitude(-0.04), "-0.0 ft");
    EXPECT_EQ(doc.GetUnitName(true), "feet");
    EXPECT_EQ(doc.GetUnitName(false), "ft");
}

TEST(MainDocContents, RemovingSessionsMarksModifiedAndTellsTheViews) {
    CMainDoc doc;
    RecordingView view, sender;
    doc.AddView(&view);
    doc.AddView(&sender);
    CDataModule* a = testing_project::AddSession(doc);
    testing_project::AddSession(doc);
    testing_project::AddSession(doc);

    // Kept alive for the caller: the views but the sender hear before and after.
    ASSERT_TRUE(doc.RemoveSession(a, false, true, &sender));
    const std::unique_ptr<CDataModule> ownA(a);
    EXPECT_EQ(doc.GetSessions().GetCount(), 2);
    EXPECT_EQ(view.Updates(),
              (std::vector<RecordingView::Update>{{&sender, HINT_SESSION_REMOVING, a},
                                                  {&sender, HINT_SESSION_REMOVED, a}}));
    EXPECT_TRUE(sender.Updates().empty());
    // A removed session is a change: closing right after must ask before losing it.
    EXPECT_TRUE(doc.IsModified());
    view.Clear();
    EXPECT_FALSE(doc.RemoveSession(a, true, true, nullptr)); // no longer in the list
    // Silent removal with destruction.
    ASSERT_TRUE(doc.RemoveSession(doc.GetSessions().GetHead(), true, false, nullptr));
    EXPECT_EQ(doc.GetSessions().GetCount(), 1);
    EXPECT_TRUE(view.Updates().empty());

    doc.SetUserTitle(1, "kept");
    doc.DeleteContents();
    EXPECT_EQ(view.Hints(), std::vector<long>{HINT_CLEAR});
    EXPECT_TRUE(doc.GetSessions().IsEmpty());
    EXPECT_EQ(doc.GetUserTitle(1), "kept");
}

TEST(MainDocSave, AFailureAtAnyByteLeavesTheOldFileUntouched) {
    const TempDir temp("failing_save");
    const std::filesystem::path& dir = temp.Dir();
    const std::string path = temp.Path("project.qlg");
    FakeUi ui;
    FailingDoc doc(&ui);
    testing_project::AddFlight(*testing_project::AddSession(doc))
        ->GetRawSamples()
        .assign(40000, 7); // beyond one buffer
    doc.m_budget = SIZE_MAX;
    ASSERT_TRUE(doc.OnSaveDocument(path));
    const std::string complete = TempDir::Read(path);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << "old contents";

    doc.SetModifiedFlag(true);
    for (std::size_t budget : {std::size_t{0}, std::size_t{1}, std::size_t{40}, std::size_t{65535},
                               std::size_t{65536}, complete.size() - 1}) {
        SCOPED_TRACE(budget);
        doc.m_budget = budget;
        EXPECT_FALSE(doc.OnSaveDocument(path));
        EXPECT_EQ(TempDir::Read(path), "old contents");
        EXPECT_TRUE(doc.IsModified());
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir),
                                std::filesystem::directory_iterator()),
                  1);
    }
    ASSERT_FALSE(ui.Messages().empty());
    EXPECT_NE(ui.Messages().back().text.find("disk is full"), std::string::npos);

    doc.m_budget = complete.size();
    EXPECT_TRUE(doc.OnSaveDocument(path));
    EXPECT_EQ(TempDir::Read(path), complete);

    // A target that cannot be replaced (a folder) fails at the rename and is left as it was.
    const auto folder = (dir / "folder.qlg").string();
    std::filesystem::create_directories(dir / "folder.qlg" / "inside");
    doc.m_budget = SIZE_MAX;
    EXPECT_FALSE(doc.OnSaveDocument(folder));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "folder.qlg" / "inside"));
}

// The program's message for a project too large for memory was "std::bad_alloc". It names the
// file, and the document is left as it was.
TEST(MainDocOpen, NotEnoughMemoryNamesTheFileAndKeepsTheProject) {
    TempDir dir("kubo_open_memory");
    const std::string path = dir.Path("large.qlg");
    FakeUi ui;
    {
        CMainDoc large(&ui);
        testing_project::AddFlight(*testing_project::AddSession(large))
            ->GetRawSamples()
            .assign(1'000'000, 7);
        ASSERT_TRUE(large.OnSaveDocument(path));
    }
    CMainDoc doc(&ui);
    testing_project::AddSession(doc);
    {
        AllocationLimit limit(1 << 20);
        EXPECT_FALSE(doc.OnOpenDocument(path));
    }
    ASSERT_FALSE(ui.Messages().empty());
    EXPECT_EQ(ui.Messages().back().text, "Not enough memory for " + path + ".");
    EXPECT_EQ(doc.GetSessions().GetCount(), 1);
}
