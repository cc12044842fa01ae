// CMainFrame: the main window; wires the panes, menus and commands together.
#pragma once

#include <QMainWindow>

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(QWidget* parent = nullptr);

    // Shows "Kubo - name" in the title bar.
    void SetDocumentTitle(const QString& name);
};
