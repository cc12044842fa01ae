#include "shell/InfoPageState.h"

#include "data/DataBlock.h"
#include "data/DataModule.h"
#include "framework/Hints.h"
#include "framework/MemFile.h"
#include "shell/CommentsEditor.h"
#include "shell/MainDoc.h"
#include "support/FakeUi.h"
#include "support/RecordingView.h"

#include <gtest/gtest.h>

#include <string>

namespace {
// An editor holding its text as bytes: what was last loaded, what the user typed.
class FakeEditor : public CommentsEditor {
public:
    bool IsModified() const override { return modified; }
    void StreamComments(bool store, CMemFile& file) override {
        if (store) {
            file.SetLength(0);
            file.Write({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
            ++stores;
        } else {
            text.assign(reinterpret_cast<const char*>(file.Data().data()), file.GetLength());
            ++loads;
        }
        modified = false;
    }
    void EnableComments(bool enable) override {
        enabled = enable;
        if (!enable) {
            text.clear();
            modified = false;
        }
    }
    void Type(const std::string& typed) {
        text += typed;
        modified = true;
    }

    std::string text;
    bool modified = false;
    bool enabled = true;
    int loads = 0;
    int stores = 0;
};

std::string Text(const CMemFile& file) {
    return {reinterpret_cast<const char*>(file.Data().data()), file.GetLength()};
}

// Two sessions with comments "one" and "two"; the first holds two flights, the second one.
struct Page : ::testing::Test {
    FakeUi ui;
    CMainDoc doc{&ui};
    FakeEditor editor;
    InfoPageState state{editor};
    RecordingView others;
    CDataModule* s1 = nullptr;
    CDataModule* s2 = nullptr;
    CDataBlock* f1 = nullptr;
    CDataBlock* f2 = nullptr;
    CDataBlock* f3 = nullptr;

    void SetUp() override {
        s1 = AddSession("one");
        s2 = AddSession("two");
        f1 = AddFlight(*s1, 1250);
        f2 = AddFlight(*s1, 300);
        f3 = AddFlight(*s2, 10);
        doc.AddView(&others);
    }
    CDataModule* AddSession(const std::string& comments) {
        auto session = std::make_unique<CDataModule>(&doc);
        session->GetComments().Assign(
            {reinterpret_cast<const std::uint8_t*>(comments.data()), comments.size()});
        CDataModule* raw = session.get();
        doc.GetSessions().AddTail(std::move(session));
        return raw;
    }
    CDataBlock* AddFlight(CDataModule& session, std::size_t samples) {
        auto flight = std::make_unique<CDataBlock>(&session);
        flight->SetDate("2024-05-01 10:00");
        flight->SetSampleRate(200);
        flight->SetVersion(3);
        flight->SetReferenceRaw(1000);
        flight->SetPressureFormula("X");
        flight->SetAltitudeFormula("PA/10");
        flight->GetRawSamples().assign(samples, 1000);
        CDataBlock* raw = flight.get();
        session.AppendFlight(std::move(flight));
        return raw;
    }
    InfoPageFields Select(CObject* item) {
        EXPECT_TRUE(state.OnUpdate(doc, HINT_SELECTION, item));
        return state.Refresh(doc);
    }
};
} // namespace

TEST_F(Page, ControlsAreEnabledAndFilledExactlyForWhatIsCurrent) {
    const InfoPageFields none = Select(nullptr);
    EXPECT_EQ(none, InfoPageFields{});
    EXPECT_FALSE(editor.enabled);

    const InfoPageFields session = Select(s2);
    EXPECT_TRUE(session.commentsEnabled);
    EXPECT_FALSE(session.flightEnabled);
    EXPECT_TRUE(session.date.empty() && session.maxAltitude.empty());
    EXPECT_EQ(editor.text, "two");

    const InfoPageFields flight = Select(f1);
    EXPECT_TRUE(flight.flightEnabled && flight.commentsEnabled);
    EXPECT_EQ(flight.date, "2024-05-01 10:00");
    EXPECT_EQ(flight.sampleRate, "200");
    EXPECT_EQ(flight.version, "3");
    EXPECT_EQ(flight.flightTime, "4 min 10.0 sec"); // 1250 samples at 200 ms
    EXPECT_EQ(flight.maxAltitude, "100.0 m");
    EXPECT_EQ(Select(f2).flightTime, "60.0 sec");
    doc.SetShowFeet(1);
    f2->InvalidateDerived();
    EXPECT_EQ(state.Refresh(doc).maxAltitude, "328.1 ft");

    // Several items selected: the tree names none; everything is disabled and empty.
    EXPECT_EQ(Select(nullptr), InfoPageFields{});
    EXPECT_TRUE(editor.text.empty());
}

TEST_F(Page, CommentsAreStoredWhenTheSessionChangesAndOnlyWhenEdited) {
    Select(f1);
    EXPECT_EQ(editor.loads, 1);
    // Another flight of the same session: the typed text stays, nothing moves.
    editor.Type(" typed");
    Select(f2);
    EXPECT_EQ(editor.text, "one typed");
    EXPECT_EQ(editor.loads, 1);
    EXPECT_EQ(editor.stores, 0);
    EXPECT_FALSE(doc.IsModified());

    // A flight of another session: stored into the first, the project modified, the other's
    // comments shown.
    Select(f3);
    EXPECT_EQ(Text(s1->GetComments()), "one typed");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(editor.text, "two");

    // Unedited comments are never written back.
    doc.SetModifiedFlag(false);
    Select(s1);
    Select(nullptr);
    EXPECT_EQ(editor.stores, 1);
    EXPECT_FALSE(doc.IsModified());

    // Typing marks the project at once, so closing asks to save.
    Select(s2);
    editor.Type("!");
    state.OnCommentsModified(doc);
    EXPECT_TRUE(doc.IsModified());
    // Saving (and exporting) stores what was typed; the editor is then unmodified.
    EXPECT_FALSE(state.OnUpdate(doc, HINT_SAVE, nullptr));
    EXPECT_EQ(Text(s2->GetComments()), "two!");
    EXPECT_FALSE(editor.IsModified());

    // A new or closed project forgets everything without storing.
    editor.Type("lost");
    EXPECT_TRUE(state.OnUpdate(doc, HINT_CLEAR, nullptr));
    (void)state.Refresh(doc);
    EXPECT_EQ(Text(s2->GetComments()), "two!");
    EXPECT_EQ(state.GetLoadedSession(), nullptr);
}

TEST_F(Page, RemovedRecordsAreForgotten) {
    Select(f1);
    EXPECT_TRUE(state.OnUpdate(doc, HINT_FLIGHT_REMOVING, f2));
    EXPECT_EQ(state.GetCurrentFlight(), f1);
    EXPECT_TRUE(state.OnUpdate(doc, HINT_FLIGHT_REMOVING, f1));
    EXPECT_EQ(state.GetCurrentFlight(), nullptr);
    EXPECT_EQ(state.GetCurrentSession(), s1);

    // Removing the session takes its flights: the page must not keep one of them.
    Select(f2);
    editor.Type("gone");
    ASSERT_TRUE(doc.RemoveSession(s1, false, false, nullptr));
    EXPECT_TRUE(state.OnUpdate(doc, HINT_SESSION_REMOVING, s1));
    EXPECT_EQ(state.GetCurrentFlight(), nullptr);
    EXPECT_EQ(state.GetCurrentSession(), nullptr);
    EXPECT_EQ(state.GetLoadedSession(), nullptr);
    EXPECT_FALSE(state.Refresh(doc).commentsEnabled);
    EXPECT_EQ(Text(s1->GetComments()), "one"); // its comments go with it, unstored
    std::unique_ptr<CDataModule>{s1}.reset();

    // Hints the page does not act on.
    EXPECT_FALSE(state.OnUpdate(doc, HINT_GRAPH_DATA, nullptr));
    EXPECT_FALSE(state.OnUpdate(doc, HINT_REBUILD, nullptr));
}

TEST_F(Page, CalculationsStoreTheFormulasAndTellTheOtherViews) {
    EXPECT_FALSE(state.EditFormulas(doc, nullptr)); // no flight: nothing opens
    EXPECT_EQ(ui.FormulaDialogsShown(), 0);

    Select(f1);
    EXPECT_EQ(state.Refresh(doc).maxAltitude, "100.0 m");
    std::string shown;
    ui.SetFormulaEditor([&shown](std::string& pressure, std::string& altitude) {
        shown = pressure + " | " + altitude;
        altitude = "PA/20";
        return true;
    });
    others.Clear();
    EXPECT_TRUE(state.EditFormulas(doc, nullptr));
    EXPECT_EQ(shown, "X | PA/10");
    EXPECT_EQ(f1->GetAltitudeFormula(), "PA/20");
    EXPECT_EQ(state.Refresh(doc).maxAltitude, "50.0 m");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(others.Updates(),
              (std::vector<RecordingView::Update>{{nullptr, HINT_FLIGHT_CHANGED, f1}}));

    // A flight shown in the graph has the graph rebuilt as well.
    f1->SetShown(true, false, nullptr);
    others.Clear();
    EXPECT_TRUE(state.EditFormulas(doc, nullptr));
    EXPECT_EQ(others.Hints(), (std::vector<long>{HINT_FLIGHT_CHANGED, HINT_GRAPH_DATA}));

    // Cancel changes nothing and tells nobody.
    ui.SetFormulaEditor({});
    others.Clear();
    EXPECT_FALSE(state.EditFormulas(doc, nullptr));
    EXPECT_EQ(f1->GetAltitudeFormula(), "PA/20");
    EXPECT_TRUE(others.Updates().empty());
}
