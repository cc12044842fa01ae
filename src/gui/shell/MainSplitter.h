// CMainSplitter: the main window's two columns (project tree column, page tabs) as command routers.
#pragma once

#include "framework/CmdTarget.h"

#include <QSplitter>

// Offers a command to every pane in order (left to right); a pane that is a CCmdTarget routes
// it further in its own way, and the first that handles it ends the routing.
class CMainSplitter : public QSplitter, public CCmdTarget {
    Q_OBJECT
public:
    explicit CMainSplitter(QWidget* parent = nullptr);

    bool OnCmdMsg(unsigned nID, CCmdUI* pCmdUI) override;
};
