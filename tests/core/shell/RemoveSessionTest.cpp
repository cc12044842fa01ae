#include "data/DataModule.h"
#include "shell/MainDoc.h"
#include "support/RecordingView.h"

#include <gtest/gtest.h>

#include <memory>

TEST(MainDocRemoveSession, TellsAroundTheRemovalAndHandsOwnershipBackOnRequest) {
    CMainDoc doc;
    RecordingView view;
    RecordingView sender;
    doc.AddView(&view);
    doc.AddView(&sender);
    auto made = std::make_unique<CDataModule>(&doc);
    CDataModule* first = made.get();
    doc.GetSessions().AddTail(std::move(made));
    doc.GetSessions().AddTail(std::make_unique<CDataModule>(&doc));

    ASSERT_TRUE(doc.RemoveSession(first, false, true, &sender));
    std::unique_ptr<CDataModule> owned(first);
    EXPECT_EQ(doc.GetSessions().GetCount(), 1);
    EXPECT_EQ(view.Updates(),
              (std::vector<RecordingView::Update>{{&sender, HINT_SESSION_REMOVING, first},
                                                  {&sender, HINT_SESSION_REMOVED, first}}));
    EXPECT_TRUE(sender.Updates().empty());
    EXPECT_FALSE(doc.IsModified());

    // Not in the list (any more): nothing happens.
    view.Clear();
    EXPECT_FALSE(doc.RemoveSession(first, true, true, nullptr));
    EXPECT_TRUE(view.Updates().empty());

    // Silent removal with destruction.
    ASSERT_TRUE(doc.RemoveSession(doc.GetSessions().GetHead(), true, false, nullptr));
    EXPECT_TRUE(doc.GetSessions().IsEmpty());
    EXPECT_TRUE(view.Updates().empty());
}
