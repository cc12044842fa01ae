#include "data/Annotation.h"
#include "data/DataBlock.h"
#include "data/DataModule.h"
#include "framework/CommandIds.h"
#include "shell/MainDoc.h"
#include "support/FakeUi.h"
#include "support/RecordingView.h"

#include <gtest/gtest.h>

namespace {
struct OneFlight {
    OneFlight() {
        doc.AddView(&view);
        auto owned = std::make_unique<CDataModule>(&doc);
        auto block = std::make_unique<CDataBlock>();
        flight = block.get();
        block->SetName("Flight 3", false, nullptr);
        owned->AppendFlight(std::move(block));
        doc.GetSessions().AddTail(std::move(owned));
    }
    FakeUi ui;
    CMainDoc doc{&ui};
    RecordingView view;
    CDataBlock* flight = nullptr;
};
} // namespace

TEST(FlightAnnotationCommands, FlightAnnotationCommandRunsTheDialogAndHintsAfterOk) {
    OneFlight p;
    std::string title;
    bool answer = false;
    p.ui.editFlightAnnotations = [&](CDataBlock& flight, const std::string& t) {
        EXPECT_EQ(&flight, p.flight);
        title = t;
        return answer;
    };
    CCmdUI query(cmd::FlightAnnotation);
    EXPECT_TRUE(p.flight->OnCmdMsg(cmd::FlightAnnotation, &query));
    EXPECT_EQ(query.GetEnabled(), true);

    EXPECT_TRUE(p.flight->OnCmdMsg(cmd::FlightAnnotation, nullptr));
    EXPECT_EQ(title, "Flight Annotations (Flight 3)");
    EXPECT_TRUE(p.view.Hints().empty());
    EXPECT_FALSE(p.doc.IsModified());

    answer = true;
    p.flight->OnCmdMsg(cmd::FlightAnnotation, nullptr);
    EXPECT_EQ(p.view.Hints(), (std::vector<long>{HINT_FLIGHT_CHANGED}));
    EXPECT_TRUE(p.doc.IsModified());

    p.view.Clear();
    p.flight->SetShown(true, false, nullptr);
    EXPECT_FALSE(p.flight->AddAnnotationAt(cmd::AnnotationEdit, 1, 1));
    EXPECT_EQ(p.view.Hints(), (std::vector<long>{HINT_FLIGHT_CHANGED, HINT_GRAPH_DATA}));
}

TEST(FlightAnnotationCommands, NewAnnotationAtAPointLessTheOffsets) {
    const struct {
        unsigned base;
        int kind;
    } kinds[] = {{cmd::AnnotationNewPoint, CAnnotation::kDataPoint},
                 {cmd::AnnotationNewHorizontal, CAnnotation::kHorizontalLine},
                 {cmd::AnnotationNewVertical, CAnnotation::kVerticalLine}};
    for (const auto& k : kinds) {
        OneFlight p;
        // Applied offsets of 20 s and 50 m; pending ones that are not enabled do not count.
        p.flight->ApplyOffset(20.0f, 50.0f);
        p.flight->SetPendingOffset(false, 7.0f, 7.0f);
        p.doc.SetModifiedFlag(false);
        CAnnotation* shown = nullptr;
        p.ui.editAnnotation = [&](CAnnotation& a) {
            shown = &a;
            return false;
        };
        EXPECT_FALSE(p.flight->AddAnnotationAt(k.base, 300.0, 1250.0));
        EXPECT_TRUE(p.flight->GetAnnotations().IsEmpty());
        ASSERT_NE(shown, nullptr);

        p.ui.editAnnotation = [&](CAnnotation& a) {
            EXPECT_EQ(a.m_nKind, k.kind);
            EXPECT_EQ(a.m_dTime, 280.0);
            EXPECT_EQ(a.m_dAltitude, 1200.0);
            EXPECT_EQ(a.m_strText, "Annotation Text");
            EXPECT_EQ(a.GetOwner(), p.flight);
            return true;
        };
        EXPECT_TRUE(p.flight->AddAnnotationAt(k.base, 300.0, 1250.0));
        EXPECT_EQ(p.flight->GetAnnotations().GetCount(), 1);
        EXPECT_TRUE(p.doc.IsModified());
        EXPECT_TRUE(p.view.Hints().empty()) << "the graph tells the views";
    }
    OneFlight p;
    p.ui.editAnnotation = [](CAnnotation&) { return true; };
    EXPECT_FALSE(p.flight->AddAnnotationAt(cmd::AnnotationNewPoint + 1, 1, 1));
    EXPECT_TRUE(p.flight->GetAnnotations().IsEmpty());
}
