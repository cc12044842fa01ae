// The Kubo desktop program.
#include "KuboVersion.h"
#include "data/DataModule.h"
#include "framework/Hints.h"
#include "shell/DocumentFiles.h"
#include "shell/MainApp.h"
#include "shell/MainDoc.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLabel>
#include <QMessageBox>
#include <QTreeWidget>

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {
// The document's file side as far as this build of the document supports it: a new project
// empties the sessions; reading and writing project files is the document's serialisation,
// which this build reports as unavailable.
class CMainDocFiles : public CDocumentFiles {
public:
    explicit CMainDocFiles(CMainDoc& doc) : m_doc(doc) {}

    void DeleteContents() override {
        m_doc.UpdateAllViews(nullptr, HINT_CLEAR);
        m_doc.GetSessions().DeleteAll();
    }
    bool OnNewDocument() override {
        DeleteContents();
        return true;
    }
    bool OnOpenDocument(const std::string&) override { return Unavailable(); }
    bool OnSaveDocument(const std::string&) override { return Unavailable(); }

private:
    static bool Unavailable() {
        QMessageBox::warning(QApplication::activeWindow(), QApplication::applicationName(),
                             QApplication::translate("main", "This build of Kubo cannot read or "
                                                             "write project files."));
        return false;
    }
    CMainDoc& m_doc;
};

CMainFrame::Panes StandInPanes() {
    CMainFrame::Panes panes;
    panes.tree = [](QWidget* parent) -> QWidget* {
        auto* tree = new QTreeWidget(parent);
        tree->setHeaderHidden(true);
        return tree;
    };
    panes.track = [](QWidget* parent) -> QWidget* {
        auto* pane = new QLabel(QApplication::translate("main", "Measurements"), parent);
        pane->setAlignment(Qt::AlignCenter);
        pane->setMinimumSize(220, 240);
        return pane;
    };
    return panes;
}

void SetApplicationNames() {
    QCoreApplication::setApplicationName(QStringLiteral("Kubo"));
    QCoreApplication::setOrganizationName(QStringLiteral("Tervane"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KUBO_VERSION_STRING));
}

// The project file named on the command line, or empty. --help, --version and bad arguments
// print and end the process here. The application object given has already taken its own
// options (-platform, -style, ...) out of the arguments.
QString ParseCommandLine(const QCoreApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate(
        "main", "Reads, shows and exports the flights of a barometric altimeter."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("FILE"), QCoreApplication::translate("main", "Kubo project (.qlg) to open."),
        QStringLiteral("[FILE]"));
    parser.process(app);
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        std::fprintf(stderr, "%s\n",
                     qPrintable(QCoreApplication::translate(
                         "main", "kubo: one project at a time; give at most one FILE.")));
        std::exit(2);
    }
    return files.value(0);
}

// Help and version need no display: answer them without starting the GUI.
bool AsksForTextOnly(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg(argv[i]);
        if (arg == "-h" || arg == "--help" || arg == "-?" || arg == "--help-all" || arg == "-v" ||
            arg == "--version")
            return true;
    }
    return false;
}
} // namespace

int main(int argc, char* argv[]) {
    if (AsksForTextOnly(argc, argv)) {
        QCoreApplication console(argc, argv);
        SetApplicationNames();
        (void)ParseCommandLine(console); // prints and exits
        return 0;
    }
    QApplication app(argc, argv);
    SetApplicationNames();
    const QString file = ParseCommandLine(app);
    QApplication::setDesktopFileName(QStringLiteral("kubo"));

    CMainDoc doc;
    CMainDocFiles docFiles(doc);
    CMainApp mainApp(doc, docFiles, StandInPanes());
    (void)mainApp.LoadResourceLibrary(QApplication::applicationDirPath());
    if (!mainApp.InitInstance(file))
        return 1;
    const int code = QApplication::exec();
    mainApp.ExitInstance();
    return code;
}
