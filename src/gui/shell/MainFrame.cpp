#include "shell/MainFrame.h"

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent) {
    SetDocumentTitle(tr("Untitled"));
    resize(1024, 700);
}

void CMainFrame::SetDocumentTitle(const QString& name) {
    setWindowTitle(QStringLiteral("Kubo - %1").arg(name));
}
