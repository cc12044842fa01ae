// read-shot: starts the program's main window, reads one transmission from a serial device
// through the Read Data command and saves two pictures: the Read Data window over the main
// window at the final question (READ.png) and the main window afterwards (MAIN.png), with one
// session per flight, the first session expanded and its flight selected.
// Usage: read-shot --port DEVICE MAIN.png READ.png   (QT_QPA_PLATFORM=offscreen needs no display)
#include "data/ReadDataDlg.h"
#include "framework/CommandIds.h"
#include "shell/MainApp.h"
#include "shell/MainDoc.h"
#include "shell/MainDocFiles.h"
#include "shell/PageTabCtrl.h"
#include "shell/ProjectPanes.h"
#include "shell/QtUiServices.h"
#include "shell/ViewTree.h"

#include <QApplication>
#include <QCheckBox>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <memory>
#include <string>

namespace {
// The main window with the window over it drawn where it stands on the screen.
QPixmap Composite(QWidget& main, QWidget& over) {
    QPixmap picture = main.grab();
    QPainter painter(&picture);
    painter.drawPixmap(over.frameGeometry().topLeft() - main.frameGeometry().topLeft(),
                       over.grab());
    return picture;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() != 5 || args[1] != QStringLiteral("--port")) {
        std::fputs("usage: read-shot --port DEVICE MAIN.png READ.png\n", stderr);
        return 2;
    }
    QCoreApplication::setApplicationName(QStringLiteral("Kubo"));
    QCoreApplication::setOrganizationName(QStringLiteral("Tervane"));

    CQtUiServices ui;
    CMainDoc doc(&ui);
    doc.SetPortName(args[2].toStdString());
    CMainDocFiles files(doc);
    CMainApp mainApp(doc, files, MakeProjectPanes(doc));
    if (!mainApp.InitInstance(QString()))
        return 1;
    CMainFrame& frame = *mainApp.GetMainFrame();
    ui.SetMainWindow(&frame);
    frame.resize(960, 600);
    frame.move(0, 0);

    bool readShot = false;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* read = qobject_cast<CReadDataDlg*>(w);
            if (!read || !read->isVisible() || !read->IsFinalQuestion())
                continue;
            read->SeparateBox()->setChecked(true);
            read->move(frame.frameGeometry().center() - read->rect().center());
            if (!readShot)
                readShot = Composite(frame, *read).save(args[4]);
            read->OkButton()->click();
        }
    });
    user.start(50);

    QTimer::singleShot(0, [&] {
        if (!frame.ExecuteCommand(cmd::DataReadData))
            std::fputs("read-shot: Read Data is not available\n", stderr);
        user.stop();
        auto* tree = qobject_cast<CViewTree*>(frame.GetTreeView());
        CTreeCtrlEx& items = tree->GetTreeCtrl();
        for (int i = 0; i < items.topLevelItemCount() && i < 2; ++i) {
            QTreeWidgetItem* session = items.topLevelItem(i);
            session->setExpanded(true);
            if (session->childCount() > 0) {
                (void)items.SetItemSelection(session->child(0), true, true, true);
                items.SetCheck(session->child(0), 1);
            }
        }
        (void)frame.GetPageTabs()->SelectPage(1);
        QTimer::singleShot(200, [&] {
            const bool saved = frame.grab().save(args[3]);
            std::fprintf(stderr, "read-shot: %s%s\n", saved ? "saved " : "could not save ",
                         qPrintable(args[3]));
            if (!readShot)
                std::fprintf(stderr, "read-shot: no final question was asked\n");
            doc.SetModifiedFlag(false);
            QApplication::exit(saved ? 0 : 1);
        });
    });
    return QApplication::exec();
}
