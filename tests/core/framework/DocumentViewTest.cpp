#include "framework/CmdTarget.h"
#include "framework/Document.h"
#include "support/RecordingView.h"

#include <gtest/gtest.h>

namespace {
// A view that removes another view when it is told of a change.
class RemovingView : public CView {
public:
    explicit RemovingView(CView* victim) : m_victim(victim) {}
    void OnUpdate(CView*, long, CObject*) override {
        if (m_victim && m_victim->GetDocument())
            m_victim->GetDocument()->RemoveView(m_victim);
    }
    CView* m_victim;
};
} // namespace

TEST(Document, TellsEveryViewButTheSender) {
    CDocument doc;
    RecordingView a, b;
    doc.AddView(&a);
    doc.AddView(&b);
    CObject hintObject;
    doc.UpdateAllViews(&a, HINT_FLIGHT_CHANGED, &hintObject);
    EXPECT_TRUE(a.Updates().empty());
    ASSERT_EQ(b.Updates().size(), 1u);
    EXPECT_EQ(b.Updates()[0], (RecordingView::Update{&a, HINT_FLIGHT_CHANGED, &hintObject}));
}

TEST(Document, ViewsRemovedDuringAnUpdateOrDestroyedAreNotCalled) {
    CDocument doc;
    RecordingView victim;
    RemovingView remover(&victim);
    doc.AddView(&remover);
    doc.AddView(&victim);
    doc.UpdateAllViews(nullptr, HINT_REBUILD);
    EXPECT_TRUE(victim.Updates().empty());
    EXPECT_EQ(victim.GetDocument(), nullptr);

    {
        RecordingView shortLived;
        doc.AddView(&shortLived);
        EXPECT_EQ(doc.GetViews().size(), 2u);
    }
    EXPECT_EQ(doc.GetViews().size(), 1u);
    doc.UpdateAllViews(nullptr, HINT_CLEAR); // must not touch the destroyed view
}

TEST(Document, AViewMovesToItsNewDocumentAndOutlivesIt) {
    RecordingView view;
    {
        CDocument first, second;
        first.AddView(&view);
        second.AddView(&view);
        EXPECT_TRUE(first.GetViews().empty());
        EXPECT_EQ(view.GetDocument(), &second);
    }
    EXPECT_EQ(view.GetDocument(), nullptr);
}

TEST(Document, ModifiedListenersHearChangesOnly) {
    CDocument doc;
    std::vector<bool> first, second;
    int owner1 = 0, owner2 = 0;
    doc.AddModifiedListener(&owner1, [&](bool modified) { first.push_back(modified); });
    doc.AddModifiedListener(&owner2, [&](bool modified) { second.push_back(modified); });
    doc.SetModifiedFlag(true);
    doc.SetModifiedFlag(true);
    doc.RemoveModifiedListener(&owner2);
    doc.SetModifiedFlag(false);
    EXPECT_EQ(first, (std::vector<bool>{true, false}));
    EXPECT_EQ(second, std::vector<bool>{true});
}

namespace {
class Target : public CCmdTarget {
public:
    bool OnCmdMsg(unsigned id, CCmdUI* ui) override {
        static const CommandEntry<Target> map[] = {
            {100, 100, &Target::OnRun, nullptr},
            {200, 203, &Target::OnRange, &Target::OnUpdateRange},
            {300, 300, nullptr, &Target::OnUpdateRange},
        };
        return RouteCommand(*this, map, id, ui) || CCmdTarget::OnCmdMsg(id, ui);
    }
    void OnRun(unsigned id) { m_ran.push_back(id); }
    void OnRange(unsigned id) { m_ran.push_back(id); }
    void OnUpdateRange(CCmdUI& ui) {
        ui.Enable(ui.GetID() != 202);
        ui.SetCheck(ui.GetID() == 201 ? 1 : 0);
    }
    std::vector<unsigned> m_ran;
};
} // namespace

TEST(CommandRouting, OneEntryServesCommandAndUpdateQuery) {
    Target target;
    EXPECT_TRUE(target.OnCmdMsg(100, nullptr));
    EXPECT_TRUE(target.OnCmdMsg(203, nullptr));
    EXPECT_FALSE(target.OnCmdMsg(204, nullptr));
    EXPECT_FALSE(target.OnCmdMsg(300, nullptr)); // an update handler alone does not run it
    EXPECT_EQ(target.m_ran, (std::vector<unsigned>{100, 203}));

    CCmdUI plain(100);
    EXPECT_TRUE(target.OnCmdMsg(100, &plain));
    EXPECT_EQ(plain.GetEnabled(), true); // handled without update handler → enabled
    EXPECT_FALSE(plain.GetCheck().has_value());

    CCmdUI disabled(202), checked(201), unknown(999);
    EXPECT_TRUE(target.OnCmdMsg(202, &disabled));
    EXPECT_TRUE(target.OnCmdMsg(201, &checked));
    EXPECT_FALSE(target.OnCmdMsg(999, &unknown));
    EXPECT_EQ(disabled.GetEnabled(), false);
    EXPECT_EQ(checked.GetCheck(), 1);
    EXPECT_FALSE(unknown.GetEnabled().has_value());
    EXPECT_TRUE(target.m_ran.size() == 2u);
}
