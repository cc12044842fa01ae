// The Czech catalogue: complete and well-formed (czres.ts), found where it is installed, and
// translating the program once loaded.
#include "framework/Document.h"
#include "framework/FileRegistryStore.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"
#include "framework/StringTableData.h"
#include "shell/DocumentFiles.h"
#include "shell/MainApp.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <tuple>
#include <vector>

namespace {
struct TsMessage {
    QString translation;
    QString type; // "unfinished", "vanished", ... or empty when done
};
using TsKey = std::tuple<QString, QString, QString>; // context, source, comment
using TsFile = std::map<TsKey, TsMessage>;

TsFile ReadTs(const QString& path) {
    TsFile messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read " << path.toStdString();
        return messages;
    }
    QXmlStreamReader xml(&file);
    QString context, source, comment;
    TsMessage message;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement && xml.name() == QLatin1String("message"))
            messages[{context, source, comment}] = message;
        if (token != QXmlStreamReader::StartElement)
            continue;
        const QStringView name = xml.name();
        if (name == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (name == QLatin1String("message")) {
            source.clear();
            comment.clear();
            message = {};
        } else if (name == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (name == QLatin1String("comment")) {
            comment = xml.readElementText();
        } else if (name == QLatin1String("translation")) {
            message.type = xml.attributes().value(QLatin1String("type")).toString();
            message.translation = xml.readElementText();
        }
    }
    EXPECT_FALSE(xml.hasError()) << path.toStdString() << ": " << xml.errorString().toStdString();
    return messages;
}

std::string Describe(const TsKey& key) {
    const auto& [context, source, comment] = key;
    return (context + QStringLiteral(": \"") + source + QLatin1Char('"') +
            (comment.isEmpty() ? QString() : QStringLiteral(" (") + comment + QLatin1Char(')')))
        .toStdString();
}

// What a translation must keep of its source: the placeholders, the number of lines (lists are
// split at line feeds), the key shown after a tab, and an accelerator mark.
std::string Mismatch(const QString& source, const QString& translation) {
    static const QRegularExpression placeholder(QStringLiteral("%[1-9sdiu%]"));
    auto placeholders = [](const QString& text) {
        std::multiset<QString> found;
        for (const QRegularExpressionMatch& m : placeholder.globalMatch(text))
            found.insert(m.captured());
        return found;
    };
    if (placeholders(source) != placeholders(translation))
        return "placeholders differ";
    if (source.count(QLatin1Char('\n')) != translation.count(QLatin1Char('\n')))
        return "line count differs";
    auto keys = [](const QString& text) { return text.section(QLatin1Char('\t'), 1); };
    if (keys(source) != keys(translation))
        return "key after the tab differs";
    static const QRegularExpression mnemonic(QStringLiteral("&[^&\\s]"));
    if (source.contains(mnemonic) != translation.contains(mnemonic))
        return "accelerator mark missing or added";
    return {};
}

// Table entries that are data, not text for the user: never translated.
bool IsDataEntry(unsigned id) {
    return id == str::AppTitle || id == str::HorizontalAlignmentCodes ||
           id == str::VerticalAlignmentCodes || id == str::PointAlignmentCodes;
}
} // namespace

TEST(CzechCatalogue, EveryTextIsTranslatedKeepingItsPlaceholdersLinesKeysAndAccelerators) {
    const TsFile catalogue = ReadTs(QStringLiteral(KUBO_CATALOGUE_SOURCE));
    ASSERT_GT(catalogue.size(), 100u);
    std::string problems;
    for (const auto& [key, message] : catalogue) {
        std::string problem;
        if (!message.type.isEmpty())
            problem = message.type.toStdString();
        else if (message.translation.isEmpty())
            problem = "no translation";
        else
            problem = Mismatch(std::get<1>(key), message.translation);
        if (!problem.empty())
            problems += problem + ": " + Describe(key) + "\n";
    }
    EXPECT_EQ(problems, "");
}

TEST(CzechCatalogue, HoldsEveryTextOfTheSources) {
    // The texts lupdate finds in the sources now, with the options the catalogue is kept with.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString fresh = dir.filePath(QStringLiteral("fresh.ts"));
    QProcess lupdate;
    lupdate.start(QStringLiteral("bash"),
                  {QStringLiteral(KUBO_SOURCE_DIR "/scripts/extract-texts"), fresh});
    ASSERT_TRUE(lupdate.waitForFinished(120000));
    ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAllStandardError().toStdString();
    const TsFile catalogue = ReadTs(QStringLiteral(KUBO_CATALOGUE_SOURCE));
    std::string missing;
    const TsFile sources = ReadTs(fresh);
    ASSERT_GT(sources.size(), 100u);
    for (const auto& entry : sources)
        if (!catalogue.contains(entry.first))
            missing += Describe(entry.first) + "\n";
    // The string table is read directly too: an entry whose text lacks its translation mark is
    // invisible to lupdate.
    for (const StringTableEntry& entry : BuiltInStrings()) {
        const TsKey key{QStringLiteral("StringTable"), QString::fromUtf8(entry.text),
                        entry.comment ? QString::fromUtf8(entry.comment) : QString()};
        if (!IsDataEntry(entry.id) && !catalogue.contains(key))
            missing += std::to_string(entry.id) + " " + Describe(key) + "\n";
    }
    EXPECT_EQ(missing, "");
}

namespace {
class NoFiles : public CDocumentFiles {
public:
    void DeleteContents() override {}
    bool OnNewDocument() override { return true; }
    bool OnOpenDocument(const std::string&) override { return true; }
    bool OnSaveDocument(const std::string&) override { return true; }
};

struct CzechProgram : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        QCoreApplication::setOrganizationName(QStringLiteral("Tervane"));
        QCoreApplication::setApplicationName(QStringLiteral("Kubo"));
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
        // Laid out as an unpacked package: prefix/bin and prefix/share/kubo/translations.
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("bin")));
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("share/kubo/translations")));
        ASSERT_TRUE(QFile::copy(QStringLiteral(KUBO_CATALOGUE),
                                dir.filePath(QStringLiteral("share/kubo/translations/czres.qm"))));
    }
    QTemporaryDir dir;
    CDocument doc;
    NoFiles files;
};
} // namespace

TEST_F(CzechProgram, TheInstalledCatalogueLoadsForACzechUserOnly) {
    const QString bin = dir.filePath(QStringLiteral("bin"));
    const QString data = dir.filePath(QStringLiteral("share/kubo/translations"));
    // The program's own folder comes first: a catalogue put there wins for any user.
    EXPECT_EQ(CMainApp::ResourceLibraryFolders(bin, QLocale::Czech), (QStringList{bin, data}));
    EXPECT_EQ(CMainApp::ResourceLibraryFolders(bin, QLocale::English), QStringList{bin});

    CMainApp english(doc, files, CMainFrame::Panes{});
    EXPECT_FALSE(
        english.LoadResourceLibrary(CMainApp::ResourceLibraryFolders(bin, QLocale::English)));
    EXPECT_FALSE(english.IsResourceLibraryLoaded());
}

TEST_F(CzechProgram, TheProgramSpeaksCzechWithTheCatalogue) {
    // The settings are read before the catalogue loads, as at start-up; a folder in place of
    // their file is still reported in Czech.
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("settings/registry.reg")));
    FileRegistryStore registry(dir.filePath(QStringLiteral("settings")).toStdString(),
                               dir.filePath(QStringLiteral("none")).toStdString());
    (void)registry.OpenRoot(RegRoot::CurrentUser);
    {
        CMainApp app(doc, files, CMainFrame::Panes{});
        ASSERT_TRUE(app.LoadResourceLibrary(
            CMainApp::ResourceLibraryFolders(dir.filePath(QStringLiteral("bin")), QLocale::Czech)));
        EXPECT_TRUE(app.IsResourceLibraryLoaded());
        ASSERT_TRUE(app.InitInstance(QString()));

        const QList<QAction*> menus = app.GetMainFrame()->menuBar()->actions();
        ASSERT_FALSE(menus.isEmpty());
        EXPECT_EQ(menus.front()->text(), QStringLiteral("&Soubor"));
        // The string table, a message built from it, and Qt's own standard buttons.
        EXPECT_EQ(LoadString(str::GraphPageTab), "Graf");
        EXPECT_EQ(FormatString1(str::FailedToOpenDocument, "a.qlg"), "Soubor a.qlg nelze otevřít.");
        EXPECT_EQ(LoadString(str::MetresShort), "m");
        const std::optional<std::string> problem = registry.GetUserHiveProblem();
        ASSERT_TRUE(problem);
        EXPECT_NE(problem->find("(je to složka)"), std::string::npos) << *problem;
        QMessageBox box(QMessageBox::Question, QString(), QString(),
                        QMessageBox::Yes | QMessageBox::No);
        EXPECT_EQ(box.button(QMessageBox::Yes)->text(), QStringLiteral("&Ano"));
        app.ExitInstance();
    }
    EXPECT_EQ(LoadString(str::GraphPageTab), "Graph"); // the catalogue goes with the application
}
