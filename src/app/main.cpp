// The Kubo desktop program.
#include "KuboVersion.h"
#include "framework/FileRegistryStore.h"
#include "shell/MainApp.h"
#include "shell/MainDoc.h"
#include "shell/MainDocFiles.h"
#include "shell/ProjectPanes.h"
#include "shell/QtUiServices.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLocale>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {
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

    FileRegistryStore registry(FileRegistryStore::DefaultUserFolder(),
                               FileRegistryStore::DefaultMachineFolder());
    CQtUiServices ui(&registry);
    CMainDoc doc(&ui, &registry);
    CMainDocFiles docFiles(doc);
    CMainApp mainApp(doc, docFiles, MakeProjectPanes(doc));
    (void)mainApp.LoadResourceLibrary(CMainApp::ResourceLibraryFolders(
        QApplication::applicationDirPath(), QLocale::system().language()));
    if (!mainApp.InitInstance(file))
        return 1;
    ui.SetMainWindow(mainApp.GetMainFrame());
    // Said once: settings that could not be read are defaults this run and are not saved.
    if (const std::optional<std::string> problem = registry.GetUserHiveProblem())
        (void)ui.MessageBox(*problem, MsgButtons::Ok, MsgIcon::Warning);
    const int code = QApplication::exec();
    mainApp.ExitInstance();
    return code;
}
