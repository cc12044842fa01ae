#include "shell/MainSplitter.h"

CMainSplitter::CMainSplitter(QWidget* parent) : QSplitter(Qt::Horizontal, parent) {
    setChildrenCollapsible(false);
}

bool CMainSplitter::OnCmdMsg(unsigned nID, CCmdUI* pCmdUI) {
    for (int i = 0; i < count(); ++i) {
        if (auto* pane = dynamic_cast<CCmdTarget*>(widget(i)); pane && pane->OnCmdMsg(nID, pCmdUI))
            return true;
    }
    return false;
}
