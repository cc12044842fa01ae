#include "data/DataBlock.h"
#include "data/DataModule.h"
#include "framework/CommandIds.h"
#include "framework/MemoryRegistryStore.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"
#include "shell/MainDoc.h"
#include "support/FakeClock.h"
#include "support/FakeUi.h"
#include "support/ProjectBuilder.h"
#include "support/RecordingView.h"
#include "support/ScriptedByteSource.h"
#include "support/TempDir.h"
#include "support/Transmission.h"

#include <gtest/gtest.h>

#include <set>

using namespace testing_project;
using namespace testing_transmission;

namespace {
// A document with a scripted user, a fake clock, an in-memory registry and a listening view.
struct Project {
    FakeUi ui;
    FakeClock clock;
    MemoryRegistryStore registry;
    CMainDoc doc{&ui, &registry};
    RecordingView view;

    Project() {
        doc.SetClock(&clock);
        doc.AddView(&view);
    }
    // The next port opened plays text.
    void QueuePort(const std::string& text) {
        auto source = std::make_unique<ScriptedByteSource>(clock);
        source->Data(text);
        ui.QueuePort(std::move(source));
    }
    bool Run(unsigned id) { return doc.OnCmdMsg(id, nullptr); }

    [[nodiscard]] std::vector<std::string> SessionNames() const {
        std::vector<std::string> names;
        for (const CDataModule* session : doc.GetSessions())
            names.push_back(session->GetName());
        return names;
    }
    // A message of the string table, details appended or not.
    [[nodiscard]] bool Showed(unsigned id) const {
        for (const auto& shown : ui.Messages())
            if (shown.text.starts_with(LoadString(id)))
                return true;
        return false;
    }
};

} // namespace

TEST(MainDocReadData, OpensTheConfiguredDeviceWithTheDocumentsPortSettings) {
    Project p;
    p.doc.SetPortIndex(2);
    CPortSetupBlock setup;
    setup.SetBaudRate(9600);
    p.doc.SetPortSetup(setup);
    EXPECT_TRUE(p.Run(cmd::DataReadData)); // no port queued: it cannot be opened
#ifdef _WIN32
    const std::string expected = "\\\\.\\COM3";
#else
    const std::string expected = "/dev/ttyS2";
#endif
    // The failure names the device and the system's reason.
    ASSERT_EQ(p.ui.Messages().size(), 1u);
    EXPECT_EQ(p.ui.Messages()[0].text, LoadString(str::SerialOpenFailed) + "\nDevice: " + expected +
                                           " (No such file or directory)");
    ASSERT_EQ(p.ui.PortRequests().size(), 1u);
    EXPECT_EQ(p.ui.PortRequests()[0].device, expected);
    EXPECT_EQ(p.ui.PortRequests()[0].setup, setup);
    EXPECT_EQ(p.ui.PortRequests()[0].timeouts.ReadIntervalTimeout, 400u);

#ifndef _WIN32
    p.doc.SetPortName("/dev/ttyUSB0");
    (void)p.Run(cmd::DataReadData);
    EXPECT_EQ(p.ui.PortRequests().back().device, "/dev/ttyUSB0");
#endif
}

TEST(MainDocReadData, FlightsGoToOneSessionOrOneSessionEach) {
    { // Without the box: one session holding the flights, made with the default formulas.
        Project p;
        p.doc.SetDefaultPressureFormula("X*2");
        p.doc.SetDefaultAltitudeFormula("PA-PR");
        p.QueuePort(FlightsText(3, 3));
        p.Run(cmd::DataReadData);
        ASSERT_EQ(p.doc.GetSessions().GetCount(), 1);
        CDataModule* session = p.doc.GetSessions().GetHead();
        EXPECT_EQ(session->GetDocument(), &p.doc);
        EXPECT_EQ(FlightNames(*session),
                  (std::vector<std::string>{"Flight 1", "Flight 2", "Flight 3"}));
        EXPECT_EQ(session->GetFlights().GetTail()->GetPressureFormula(), "X*2");
        EXPECT_EQ(session->GetFlights().GetTail()->GetAltitudeFormula(), "PA-PR");
        EXPECT_EQ(p.view.Updates(),
                  (std::vector<RecordingView::Update>{{nullptr, HINT_SESSION_ADDED, session}}));
        EXPECT_TRUE(p.doc.IsModified());
        EXPECT_TRUE(p.ui.Messages().empty());
    }
    { // A single flight is never asked about.
        Project p;
        p.ui.ReadWindow().finalSeparate = true;
        p.QueuePort(FlightsText(1, 1));
        p.Run(cmd::DataReadData);
        EXPECT_FALSE(p.ui.ReadWindow().finalAsked);
        EXPECT_EQ(p.doc.GetSessions().GetCount(), 1);
    }
    { // With it: flight 1 stays in the read session, the others follow in sessions of their
      // own, after what the project held; one rebuild.
        Project p;
        p.Run(cmd::DataInsertSession);
        p.view.Clear();
        p.ui.ReadWindow().finalSeparate = true;
        p.QueuePort(FlightsText(3, 3));
        p.Run(cmd::DataReadData);
        EXPECT_TRUE(p.ui.ReadWindow().finalAsked);
        ASSERT_EQ(p.doc.GetSessions().GetCount(), 4);
        for (int i = 1; i <= 3; ++i) {
            const CDataModule* session = p.doc.GetSessions().GetAt(i);
            EXPECT_EQ(session->GetDocument(), &p.doc);
            ASSERT_EQ(FlightNames(*session),
                      std::vector<std::string>{"Flight " + std::to_string(i)});
            EXPECT_EQ(session->GetFlights().GetHead()->GetSession(), session);
        }
        const std::vector<std::string> names = p.SessionNames();
        EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), 4u);
        EXPECT_EQ(p.view.Hints(), std::vector<long>{HINT_REBUILD});
        EXPECT_TRUE(p.doc.IsModified());
    }
}

TEST(MainDocReadData, AFailedOrDroppedReadLeavesTheProjectAsItWas) {
    struct Case {
        const char* what;
        void (*script)(Project&);
        unsigned message; // 0: none
    };
    const Case cases[] = {
        {"port cannot be opened", [](Project&) {}, str::SerialOpenFailed},
        {"settings rejected",
         [](Project& p) {
             p.ui.QueuePort(PortOpenResult{PortOpenStatus::kSetupFailed, nullptr});
         },
         str::SerialSetupFailed},
        {"incomplete, not kept", [](Project& p) { p.QueuePort(FlightsText(2, 2).substr(0, 80)); },
         str::KeepIncompleteData},
        {"final question cancelled",
         [](Project& p) {
             p.ui.ReadWindow().finalOk = false;
             p.QueuePort(FlightsText(3, 3));
         },
         0},
        {"cancelled before any byte",
         [](Project& p) {
             p.ui.ReadWindow().cancelAfterPasses = 100;
             p.QueuePort("");
         },
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Project p;
        c.script(p);
        p.Run(cmd::DataReadData);
        EXPECT_TRUE(p.doc.GetSessions().IsEmpty());
        EXPECT_FALSE(p.doc.IsModified());
        EXPECT_TRUE(p.view.Updates().empty());
        if (c.message) {
            EXPECT_TRUE(p.Showed(c.message));
        } else {
            EXPECT_TRUE(p.ui.Messages().empty());
        }
    }
}

TEST(MainDocInsertEmptySession, AppendsTellsAndMarksModified) {
    Project p;
    p.Run(cmd::DataInsertSession);
    p.Run(cmd::DataInsertSession);
    ASSERT_EQ(p.doc.GetSessions().GetCount(), 2);
    CDataModule* last = p.doc.GetSessions().GetTail();
    EXPECT_EQ(last->GetDocument(), &p.doc);
    EXPECT_TRUE(last->GetFlights().IsEmpty());
    EXPECT_EQ(p.view.Updates().back(), (RecordingView::Update{nullptr, HINT_SESSION_ADDED, last}));
    EXPECT_TRUE(p.doc.IsModified());
}

TEST(MainDocSettingsCommand, TheDialogEditsACopyThatOkAppliesAndSavesOnlyAsDefault) {
    const auto editEverything = [](DocumentSettings& s) {
        s.altitudeFormula = "PA-PR";
        s.pressureFormula = "X";
        s.portIndex = 4;
        s.portName = "/dev/ttyACM0";
        s.showFeet = 1;
        s.portSetup.SetBaudRate(57600);
    };
    { // Cancel changes nothing, whatever the dialog (or the port set-up inside it) edited.
        Project p;
        p.doc.SetPortIndex(3);
        p.doc.SetPortName("/dev/ttyUSB1");
        p.doc.SetDefaultPressureFormula("X+1");
        p.ui.SetSettingsEditor([&](DocumentSettings& s) {
            editEverything(s);
            return false;
        });
        p.Run(cmd::DataSettings);
        ASSERT_EQ(p.ui.SettingsShown().size(), 1u);
        const DocumentSettings& shown = p.ui.SettingsShown()[0];
        EXPECT_EQ(shown.pressureFormula, "X+1");
        EXPECT_EQ(shown.portName, "/dev/ttyUSB1");
        EXPECT_TRUE(shown.saveAsDefault);
        EXPECT_EQ(p.doc.GetDefaultPressureFormula(), "X+1");
        EXPECT_EQ(p.doc.GetPortIndex(), 3u);
        EXPECT_EQ(p.doc.GetPortSetup(), CPortSetupBlock());
        EXPECT_TRUE(p.view.Updates().empty());
        EXPECT_EQ(p.registry.GetWriteCount(), 0);
    }
    for (const bool saveAsDefault : {false, true}) {
        SCOPED_TRACE(saveAsDefault);
        Project p;
        p.ui.SetSettingsEditor([&](DocumentSettings& s) {
            editEverything(s);
            s.saveAsDefault = saveAsDefault;
            return true;
        });
        p.Run(cmd::DataSettings);
        EXPECT_EQ(p.doc.GetDefaultAltitudeFormula(), "PA-PR");
        EXPECT_EQ(p.doc.GetDefaultPressureFormula(), "X");
        EXPECT_EQ(p.doc.GetPortIndex(), 4u);
        EXPECT_EQ(p.doc.GetPortName(), "/dev/ttyACM0");
        EXPECT_EQ(p.doc.GetShowFeet(), 1u);
        EXPECT_EQ(p.doc.GetPortSetup().GetBaudRate(), 57600u);
        EXPECT_EQ(p.view.Hints(), std::vector<long>{HINT_SETTINGS});
        EXPECT_FALSE(p.doc.IsModified());
        // What the saved values read back as is MainDocSettings' concern.
        EXPECT_EQ(CMainDoc(nullptr, &p.registry).GetDefaultAltitudeFormula(),
                  saveAsDefault ? "PA-PR" : CMainDoc::kBuiltInAltitudeFormula);
        EXPECT_EQ(p.registry.GetWriteCount() > 0, saveAsDefault);
    }
}

namespace {
// Saves a project of two sessions (three flights) with user calculations and chart settings.
std::string SaveSampleProject(const TempDir& dir) {
    FakeUi ui;
    CMainDoc source(&ui);
    source.SetUserFormula(1, "theirs");
    source.GetChartState().SetData({1, 2, 3});
    AddSession(source, {"F00"}, "Saved 1");
    AddSession(source, {"F10", "F11"}, "Saved 2")->GetFlights().GetAt(1)->GetRawSamples() = {101,
                                                                                             7};
    const std::string path = dir.Path("saved.qlg");
    EXPECT_TRUE(source.OnSaveDocument(path));
    return path;
}
} // namespace

TEST(MainDocImportProject, AppendsCopiesOfTheFilesSessionsOnlyOrNothing) {
    TempDir dir("import_project");
    const std::string path = SaveSampleProject(dir);
    Project p;
    p.doc.SetPathName("/somewhere/current.qlg");
    p.doc.SetUserFormula(1, "mine");
    p.doc.GetChartState().SetData({9});
    p.Run(cmd::DataInsertSession);
    p.doc.SetModifiedFlag(false);
    p.view.Clear();

    // A cancelled prompt or a file that cannot be read (reported) leave the project alone.
    p.Run(cmd::ImportProject);
    for (const std::string& bad :
         {dir.Write("empty.qlg", ""), dir.Write("junk.qlg", std::string("\x06\x00junk", 6)),
          dir.Path("missing.qlg")}) {
        SCOPED_TRACE(bad);
        const std::size_t messages = p.ui.Messages().size();
        p.ui.QueueOpenFile(bad);
        p.Run(cmd::ImportProject);
        EXPECT_EQ(p.ui.Messages().size(), messages + 1);
    }
    EXPECT_EQ(p.doc.GetSessions().GetCount(), 1);
    EXPECT_TRUE(p.view.Updates().empty());
    EXPECT_FALSE(p.doc.IsModified());

    p.ui.QueueOpenFile(path);
    p.Run(cmd::ImportProject);
    ASSERT_EQ(p.ui.OpenPrompts().size(), 5u);
    const FilePrompt& prompt = p.ui.OpenPrompts()[0];
    EXPECT_TRUE(prompt.mustExist);
    ASSERT_FALSE(prompt.filters.empty());
    EXPECT_EQ(prompt.filters[0].pattern, "*.qlg");

    ASSERT_EQ(p.doc.GetSessions().GetCount(), 3);
    const CDataModule* second = p.doc.GetSessions().GetAt(2);
    EXPECT_EQ(p.doc.GetSessions().GetAt(1)->GetName(), "Saved 1");
    EXPECT_EQ(second->GetName(), "Saved 2");
    EXPECT_EQ(FlightNames(*second), (std::vector<std::string>{"F10", "F11"}));
    EXPECT_EQ(second->GetFlights().GetAt(1)->GetRawSamples(), (std::vector<std::uint16_t>{101, 7}));
    for (const CDataModule* session : p.doc.GetSessions()) {
        EXPECT_EQ(session->GetDocument(), &p.doc);
        for (const CDataBlock* flight : session->GetFlights())
            EXPECT_EQ(flight->GetDocument(), &p.doc);
    }
    EXPECT_EQ(p.doc.GetUserFormula(1), "mine");
    EXPECT_EQ(p.doc.GetChartState().GetData(), std::vector<std::uint8_t>{9});
    EXPECT_EQ(p.doc.GetPathName(), "/somewhere/current.qlg");
    EXPECT_EQ(p.view.Hints(), std::vector<long>{HINT_REBUILD});
    EXPECT_TRUE(p.doc.IsModified());
    EXPECT_EQ(p.ui.Messages().size(), 3u); // only the three failures

    // The project's own file once more: a second copy of every saved session.
    p.ui.QueueOpenFile(path);
    p.Run(cmd::ImportProject);
    EXPECT_EQ(p.SessionNames().size(), 5u);
    EXPECT_EQ(p.doc.GetSessions().GetAt(4)->GetName(), "Saved 2");
}

TEST(MainDocImportRawText, AppendsTheDecodedSessionOrNothing) {
    TempDir dir("import_raw");
    Project p;
    p.doc.SetDefaultPressureFormula("X/2");

    p.ui.QueueOpenFile(dir.Write("two.txt", "Flight 1\n06.12.2026 17:10\n" + FlightsText(2, 2)));
    p.Run(cmd::ImportRawText);
    ASSERT_EQ(p.ui.OpenPrompts().size(), 1u);
    EXPECT_EQ(p.ui.OpenPrompts()[0].defaultExtension, ".txt");

    ASSERT_EQ(p.doc.GetSessions().GetCount(), 1);
    CDataModule* session = p.doc.GetSessions().GetHead();
    EXPECT_EQ(FlightNames(*session), (std::vector<std::string>{"Flight 1", "Flight 2"}));
    EXPECT_EQ(session->GetFlights().GetHead()->GetPressureFormula(), "X/2");
    EXPECT_EQ(p.view.Updates(),
              (std::vector<RecordingView::Update>{{nullptr, HINT_SESSION_ADDED, session}}));
    EXPECT_TRUE(p.doc.IsModified());
    EXPECT_TRUE(p.ui.Messages().empty());

    // "Put each Flight to separate Session" is honoured as in Read Data.
    p.view.Clear();
    p.ui.ReadWindow().finalSeparate = true;
    p.ui.QueueOpenFile(dir.Write("three.txt", "Flight 1\n06.12.2026 17:10\n" + FlightsText(3, 3)));
    p.Run(cmd::ImportRawText);
    EXPECT_EQ(p.doc.GetSessions().GetCount(), 4); // the sessions themselves: as in Read Data
    EXPECT_EQ(p.view.Hints(), std::vector<long>{HINT_REBUILD});

    // Cancelled prompt, a missing file (reported), a file without flights (dropped silently).
    Project q;
    q.Run(cmd::ImportRawText);
    q.ui.QueueOpenFile(dir.Path("missing.txt"));
    q.Run(cmd::ImportRawText);
    EXPECT_EQ(q.ui.Messages().size(), 1u);
    q.ui.QueueOpenFile(dir.Write("nothing.txt", "name\ndate\n" + Lines({1, 2, 3})));
    q.Run(cmd::ImportRawText);
    EXPECT_EQ(q.ui.Messages().size(), 1u);
    EXPECT_TRUE(q.doc.GetSessions().IsEmpty());
    EXPECT_TRUE(q.view.Updates().empty());
    EXPECT_FALSE(q.doc.IsModified());
}
