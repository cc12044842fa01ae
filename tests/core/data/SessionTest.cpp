#include "data/DataBlock.h"
#include "data/DataModule.h"
#include "shell/MainDoc.h"
#include "support/ProjectBuilder.h"
#include "support/RecordingView.h"

#include <gtest/gtest.h>

using namespace testing_project;

namespace {
// A document with two sessions: s1 holding f1, f2, f3 and s2 holding g1.
struct Project {
    Project() {
        doc.AddView(&view);
        s1 = AddSession(doc, {"f1", "f2", "f3"});
        s2 = AddSession(doc, {"g1"});
        f1 = s1->GetFlights().GetAt(0);
        f2 = s1->GetFlights().GetAt(1);
        f3 = s1->GetFlights().GetAt(2);
        g1 = s2->GetFlights().GetHead();
        doc.SetModifiedFlag(false);
    }

    CMainDoc doc;
    RecordingView view;
    CDataModule* s1 = nullptr;
    CDataModule* s2 = nullptr;
    CDataBlock *f1 = nullptr, *f2 = nullptr, *f3 = nullptr, *g1 = nullptr;
};

using Names = std::vector<std::string>;
} // namespace

TEST(SessionNaming, CounterAdvancesWithEveryConstructionAndIsNeverReset) {
    const int before = CDataModule::GetSessionCounter();
    CDataModule a;
    {
        CMainDoc doc;
        CDataModule b(&doc);
        EXPECT_EQ(b.GetName(), "Session" + std::to_string(before + 2));
    }
    CDataModule c;
    EXPECT_EQ(a.GetName(), "Session" + std::to_string(before + 1));
    EXPECT_EQ(c.GetName(), "Session" + std::to_string(before + 3));
}

TEST(SessionRename, MarksModifiedAlwaysAndHintsOnlyWhenAsked) {
    Project p;
    p.s1->SetName("Morning", false, nullptr);
    EXPECT_TRUE(p.doc.IsModified());
    EXPECT_TRUE(p.view.Updates().empty());

    p.s1->SetName("Evening", true, nullptr);
    EXPECT_EQ(p.view.Updates(),
              (std::vector<RecordingView::Update>{{nullptr, HINT_SESSION_CHANGED, p.s1}}));
}

TEST(MoveFlight, PlacementsWithinAndAcrossSessions) {
    Project p;
    // After the session itself: at the head.
    EXPECT_TRUE(p.s1->MoveFlight(p.f3, p.s1, false, nullptr));
    EXPECT_EQ(FlightNames(*p.s1), (Names{"f3", "f1", "f2"}));
    // After a flight of this session: right after it.
    p.s1->MoveFlight(p.f3, p.f1, false, nullptr);
    EXPECT_EQ(FlightNames(*p.s1), (Names{"f1", "f3", "f2"}));
    // After a flight of another session, or nothing: at the tail.
    p.s1->MoveFlight(p.f1, p.g1, false, nullptr);
    EXPECT_EQ(FlightNames(*p.s1), (Names{"f3", "f2", "f1"}));
    p.s1->MoveFlight(p.f3, nullptr, false, nullptr);
    EXPECT_EQ(FlightNames(*p.s1), (Names{"f2", "f1", "f3"}));

    // Across sessions the flight changes parent and leaves its old list.
    p.s2->MoveFlight(p.f2, p.s2, false, nullptr);
    EXPECT_EQ(FlightNames(*p.s1), (Names{"f1", "f3"}));
    EXPECT_EQ(FlightNames(*p.s2), (Names{"f2", "g1"}));
    EXPECT_EQ(p.f2->GetSession(), p.s2);
    EXPECT_EQ(p.f2->GetDocument(), &p.doc);
    EXPECT_TRUE(p.doc.IsModified());
    EXPECT_TRUE(p.view.Updates().empty());
}

TEST(MoveFlight, SendsMovingThenMovedEvenWithinItsSessionAndNothingOntoItself) {
    Project p;
    p.s1->MoveFlight(p.f1, p.f2, true, nullptr);
    EXPECT_EQ(p.view.Updates(),
              (std::vector<RecordingView::Update>{{nullptr, HINT_FLIGHT_MOVING, p.f1},
                                                  {nullptr, HINT_FLIGHT_MOVED, p.f1}}));
    EXPECT_EQ(FlightNames(*p.s1), (Names{"f2", "f1", "f3"}));

    p.view.Clear();
    p.doc.SetModifiedFlag(false);
    EXPECT_TRUE(p.s1->MoveFlight(p.f1, p.f1, true, nullptr));
    EXPECT_TRUE(p.view.Updates().empty());
    EXPECT_FALSE(p.doc.IsModified());
    EXPECT_EQ(FlightNames(*p.s1), (Names{"f2", "f1", "f3"}));
}

TEST(RemoveFlight, HintsAroundTheRemovalAndOwnershipByDeleteFlag) {
    Project p;
    RecordingView sender;
    p.doc.AddView(&sender);
    ASSERT_TRUE(p.s1->RemoveFlight(p.f2, false, true, &sender));
    EXPECT_EQ(p.view.Updates(),
              (std::vector<RecordingView::Update>{{&sender, HINT_FLIGHT_REMOVING, p.f2},
                                                  {&sender, HINT_FLIGHT_REMOVED, p.f2}}));
    EXPECT_TRUE(sender.Updates().empty());
    EXPECT_TRUE(p.doc.IsModified());
    std::unique_ptr<CDataBlock> taken(p.f2); // not deleted: the caller owns it now
    EXPECT_EQ(FlightNames(*p.s1), (Names{"f1", "f3"}));

    // A flight that is not in the list: false, no hints, no modified mark.
    p.view.Clear();
    p.doc.SetModifiedFlag(false);
    EXPECT_FALSE(p.s1->RemoveFlight(p.g1, true, true, nullptr));
    EXPECT_FALSE(p.s1->RemoveFlight(taken.get(), true, true, nullptr));
    EXPECT_TRUE(p.view.Updates().empty());
    EXPECT_FALSE(p.doc.IsModified());
    EXPECT_EQ(FlightNames(*p.s2), (Names{"g1"}));

    EXPECT_TRUE(p.s1->RemoveFlight(p.f1, true, false, nullptr)); // destroyed; ASan checks
    EXPECT_EQ(FlightNames(*p.s1), (Names{"f3"}));
}
