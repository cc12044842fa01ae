// The Graph page as a pane of the main window, joined to the application and the frame.
#pragma once

#include "shell/MainFrame.h"

class CMainDoc;

// Makes the Graph page as a view of doc and its chart link. Its deferred refresh is the
// application's forced shown-flag synchronisation, its " CE" faces follow the application's
// resource library, its measurement tool is the frame's measurement pane, and its context menu
// adds and edits annotations through the flights. doc is not owned and must outlive the page.
[[nodiscard]] CMainFrame::PaneFactory MakeGraphPane(CMainDoc& doc);
