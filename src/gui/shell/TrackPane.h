// The measurement pane as the main window makes it: a view of the project document that leaves
// its row of the tree column when it is closed, reads its time unit from the Graph page and
// copies its summary into the Information page's session comments.
#pragma once

#include "shell/MainFrame.h"

class CMainDoc;

// doc is not owned and must outlive the panes made.
[[nodiscard]] CMainFrame::PaneFactory MakeTrackPane(CMainDoc& doc);
