// The panes of the program's main window that show the project document.
#pragma once

#include "shell/MainFrame.h"

class CMainDoc;

// The project tree as a view of doc, joined to the application object's idle-time
// synchronisation of the shown-in-graph flags (CMainApp::Instance() when the tree is made), and
// the information page printing on the application object's printer, the Graph page and the
// measurement pane. The other panes stay blank. doc is not owned and must outlive the panes.
[[nodiscard]] CMainFrame::Panes MakeProjectPanes(CMainDoc& doc);
