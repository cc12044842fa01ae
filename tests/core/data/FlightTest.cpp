#include "data/DataBlock.h"
#include "data/DataModule.h"
#include "shell/MainDoc.h"
#include "support/ProjectBuilder.h"
#include "support/RecordingView.h"

#include <gtest/gtest.h>

namespace {
struct OneFlight {
    OneFlight() { doc.AddView(&view); }
    CMainDoc doc;
    RecordingView view;
    CDataBlock* flight = testing_project::AddFlight(*testing_project::AddSession(doc));
};
} // namespace

TEST(Flight, SetShownReportsChangesOnly) {
    OneFlight p;
    EXPECT_FALSE(p.flight->SetShown(false, true, nullptr));
    EXPECT_FALSE(p.doc.IsModified());
    EXPECT_TRUE(p.view.Updates().empty());

    EXPECT_TRUE(p.flight->SetShown(true, true, nullptr));
    EXPECT_TRUE(p.doc.IsModified());
    EXPECT_EQ(p.view.Hints(), (std::vector<long>{HINT_FLIGHT_CHANGED}));
    EXPECT_EQ(p.view.Updates()[0].object, p.flight);

    p.doc.SetModifiedFlag(false);
    EXPECT_TRUE(p.flight->SetShown(false, false, nullptr));
    EXPECT_TRUE(p.doc.IsModified());
    EXPECT_EQ(p.view.Updates().size(), 1u);
}

TEST(FlightOffsets, PendingOffsetChangeDetection) {
    OneFlight p;
    EXPECT_FALSE(p.flight->SetPendingOffset(false, 0.0f, 0.0f));
    EXPECT_FALSE(p.doc.IsModified());
    // Inactive with other values: stored, and reported as a change.
    EXPECT_TRUE(p.flight->SetPendingOffset(false, 3.0f, 0.0f));
    EXPECT_TRUE(p.doc.IsModified());
    EXPECT_EQ(p.flight->GetPendingTimeOffset(), 3.0f);
    EXPECT_EQ(p.flight->GetEffectiveTimeOffset(), 0.0f);

    EXPECT_TRUE(p.flight->SetPendingOffset(true, 5.0f, 10.0f));
    EXPECT_FALSE(p.flight->SetPendingOffset(true, 5.0f, 10.0f));
    EXPECT_TRUE(p.flight->SetPendingOffset(false, 5.0f, 10.0f));
    EXPECT_EQ(p.flight->GetEffectiveAltitudeOffset(), 0.0f);
}

TEST(FlightOffsets, ApplyFoldsAnActivePendingOffsetAndDropsAnInactiveOne) {
    OneFlight p;
    p.flight->SetPendingOffset(true, 5.0f, 10.0f);
    EXPECT_EQ(p.flight->GetEffectiveTimeOffset(), 5.0f);
    EXPECT_EQ(p.flight->GetEffectiveAltitudeOffset(), 10.0f);
    p.doc.SetModifiedFlag(false);

    EXPECT_TRUE(p.flight->ApplyOffset(0.0f, 0.0f));
    EXPECT_TRUE(p.doc.IsModified());
    EXPECT_EQ(p.flight->GetAppliedTimeOffset(), 5.0f);
    EXPECT_EQ(p.flight->GetAppliedAltitudeOffset(), 10.0f);
    EXPECT_FALSE(p.flight->IsPendingOffsetActive());
    EXPECT_EQ(p.flight->GetPendingTimeOffset(), 0.0f);
    EXPECT_EQ(p.flight->GetEffectiveTimeOffset(), 5.0f);

    // Inactive pending values are discarded, not applied.
    p.flight->SetPendingOffset(false, 100.0f, 100.0f);
    p.flight->ApplyOffset(-2.0f, 1.5f);
    EXPECT_EQ(p.flight->GetAppliedTimeOffset(), 3.0f);
    EXPECT_EQ(p.flight->GetAppliedAltitudeOffset(), 11.5f);

    // Reset keeps the pending values but deactivates them.
    p.flight->SetPendingOffset(true, 7.0f, 8.0f);
    EXPECT_TRUE(p.flight->ResetOffsets());
    EXPECT_EQ(p.flight->GetAppliedTimeOffset(), 0.0f);
    EXPECT_EQ(p.flight->GetEffectiveTimeOffset(), 0.0f);
    EXPECT_EQ(p.flight->GetPendingTimeOffset(), 7.0f);
    EXPECT_FALSE(p.flight->IsPendingOffsetActive());
}
