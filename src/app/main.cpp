// The Kubo desktop program.
#include "KuboVersion.h"
#include "shell/MainFrame.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kubo"));
    QApplication::setOrganizationName(QStringLiteral("Tervane"));
    QApplication::setApplicationVersion(QStringLiteral(KUBO_VERSION_STRING));

    CMainFrame frame;
    frame.show();
    return QApplication::exec();
}
