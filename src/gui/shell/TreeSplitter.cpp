#include "shell/TreeSplitter.h"

#include <QResizeEvent>

#include <algorithm>
#include <exception>

CTreeSplitter::CTreeSplitter(QWidget* parent) : QSplitter(Qt::Vertical, parent) {}

void CTreeSplitter::SetTreePane(QWidget* tree) {
    if (tree)
        insertWidget(0, tree);
}

QWidget* CTreeSplitter::GetTreePane() const {
    return widget(0);
}

void CTreeSplitter::SetTrackFactory(PaneFactory factory, int trackHeight) {
    m_trackFactory = std::move(factory);
    m_trackHeight = trackHeight;
}

bool CTreeSplitter::ShowTrackPane() {
    if (IsTrackShown())
        return true;
    if (!m_trackFactory || count() < 1)
        return false;
    const int client = height();
    int upper = client - m_trackHeight - kSplitAllowance;
    if (upper < 1)
        upper = client / 2 + 1;
    QWidget* pane = nullptr;
    try {
        pane = m_trackFactory(this);
    } catch (const std::exception&) {
        pane = nullptr;
    }
    if (!pane)
        return false;
    addWidget(pane);
    pane->show();
    setSizes({upper, std::max(0, client - handleWidth() - upper)});
    return true;
}

void CTreeSplitter::HideTrackPane() {
    if (!IsTrackShown())
        return;
    QWidget* pane = widget(1);
    // The command that hides the pane may come from the pane itself: leave the row now, delete
    // the widget once that call has returned.
    pane->hide();
    pane->setParent(nullptr);
    pane->deleteLater();
}

QWidget* CTreeSplitter::GetTrackPane(bool create) {
    if (!IsTrackShown() && (!create || !ShowTrackPane()))
        return nullptr;
    return widget(1);
}

bool CTreeSplitter::OnCmdMsg(unsigned nID, CCmdUI* pCmdUI) {
    for (int i = 0; i < count(); ++i) {
        if (auto* pane = dynamic_cast<CCmdTarget*>(widget(i)); pane && pane->OnCmdMsg(nID, pCmdUI))
            return true;
    }
    return false;
}

void CTreeSplitter::resizeEvent(QResizeEvent* event) {
    // Row sizes before the new size is laid out (the children still have their old geometry).
    const QList<int> before = sizes();
    QSplitter::resizeEvent(event);
    const QSize size = event->size();
    if (!IsTrackShown() || before.size() < 2 || size.width() <= 0 || size.height() <= 0 ||
        window()->isMinimized())
        return;
    const int oldTree = before[0];
    const int oldTrack = before[1];
    const int available = size.height() - handleWidth();
    const int tree = oldTree + (available - oldTree - oldTrack);
    if (tree > kMinTreeHeight)
        setSizes({tree, oldTrack});
    else
        setSizes({oldTree, std::max(0, available - oldTree)});
}
