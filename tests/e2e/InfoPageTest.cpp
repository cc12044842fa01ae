// The information page end to end: formatted notes typed into the running program survive
// saving and reopening, closing asks for them, and they print.
#include "calc/ModalScript.h"
#include "data/DataModule.h"
#include "framework/CommandIds.h"
#include "pages/DataViewInfo.h"
#include "shell/MainApp.h"
#include "shell/MainDoc.h"
#include "shell/MainDocFiles.h"
#include "shell/ProjectPanes.h"
#include "shell/QtUiServices.h"
#include "shell/ViewTree.h"
#include "text/RichEditorView.h"
#include "text/RtfReader.h"

#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>

#include <gtest/gtest.h>

namespace {
struct NotesFixture : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
        app = std::make_unique<CMainApp>(doc, files, MakeProjectPanes(doc));
        ASSERT_TRUE(app->InitInstance(QString()));
        ui.SetMainWindow(app->GetMainFrame());
        tree = qobject_cast<CViewTree*>(app->GetMainFrame()->GetTreeView());
        page = dynamic_cast<CDataViewInfo*>(app->GetMainFrame()->GetInfoPage());
        ASSERT_TRUE(tree && page);
    }
    void TearDown() override {
        doc.SetModifiedFlag(false);
        app.reset();
    }

    bool Run(unsigned id) { return app->GetMainFrame()->ExecuteCommand(id); }
    CRichEditorView& Editor() { return page->Editor(); }
    // Selects the first session in the tree and waits until the page shows its comments.
    void SelectFirstSession() {
        QTreeWidgetItem* item = tree->FindItem(doc.GetSessions().GetHead());
        ASSERT_NE(item, nullptr);
        tree->GetTreeCtrl().SetItemSelection(item, true, true, true);
        ASSERT_TRUE(QTest::qWaitFor([this] { return Editor().isEnabled(); }));
    }
    // A new session with notes typed on the Info page: "Bold" in bold, then " plain", centred.
    void TypeNotes() {
        ASSERT_TRUE(Run(cmd::DataInsertSession));
        ASSERT_TRUE(QTest::qWaitFor([this] { return Editor().isEnabled(); }));
        ASSERT_TRUE(Run(cmd::ViewInfoPage));
        ASSERT_EQ(app->GetMainFrame()->GetActiveView(), &Editor());
        ASSERT_TRUE(Run(cmd::FormatBold));
        QTest::keyClicks(&Editor(), QStringLiteral("Bold"));
        ASSERT_TRUE(Run(cmd::FormatBold));
        QTest::keyClicks(&Editor(), QStringLiteral(" plain"));
        ASSERT_TRUE(Run(cmd::ParaAlignCenter));
    }
    std::string Saved(const std::string& path) {
        CMainDoc reader;
        EXPECT_TRUE(reader.OnOpenDocument(path));
        if (reader.GetSessions().IsEmpty())
            return {};
        const CMemFile& file = reader.GetSessions().GetHead()->GetComments();
        return ReadRtf({reinterpret_cast<const char*>(file.Data().data()), file.GetLength()})
            .PlainText();
    }

    QTemporaryDir dir;
    CQtUiServices ui;
    CMainDoc doc{&ui};
    CMainDocFiles files{doc};
    std::unique_ptr<CMainApp> app;
    CViewTree* tree = nullptr;
    CDataViewInfo* page = nullptr;
};
} // namespace

TEST_F(NotesFixture, FormattedNotesSurviveSaveAndReopen) {
    TypeNotes();
    EXPECT_TRUE(doc.IsModified());
    const std::string path = dir.filePath(QStringLiteral("notes.qlg")).toStdString();
    doc.SetPathName(path);
    ASSERT_TRUE(Run(cmd::FileSave));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_FALSE(Editor().IsModified());

    ASSERT_TRUE(app->OpenDocumentFile(QString::fromStdString(path)));
    EXPECT_FALSE(Editor().isEnabled());
    SelectFirstSession();
    EXPECT_EQ(Editor().toPlainText(), QStringLiteral("Bold plain"));
    const QTextBlock block = Editor().document()->firstBlock();
    EXPECT_EQ(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    const QTextFragment first = block.begin().fragment();
    EXPECT_EQ(first.text(), QStringLiteral("Bold"));
    EXPECT_EQ(first.charFormat().fontWeight(), QFont::Bold);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(NotesFixture, ClosingAfterTypingAsksAndSavesTheNotes) {
    TypeNotes();
    const std::string path = dir.filePath(QStringLiteral("closing.qlg")).toStdString();
    doc.SetPathName(path);
    std::string question;
    AnswerNextMessage(QMessageBox::Cancel, &question);
    EXPECT_FALSE(app->GetMainFrame()->close());
    EXPECT_NE(question.find("Save changes"), std::string::npos);
    EXPECT_EQ(Editor().toPlainText(), QStringLiteral("Bold plain"));

    AnswerNextMessage(QMessageBox::Yes);
    EXPECT_TRUE(app->GetMainFrame()->close());
    EXPECT_EQ(Saved(path), "Bold plain\n");
}

TEST_F(NotesFixture, PrintPreviewShowsTheNotes) {
    TypeNotes();
    int pages = 0;
    OnNextModal([&pages](QWidget* modal) {
        auto* preview = modal->findChild<QPrintPreviewWidget*>();
        ASSERT_NE(preview, nullptr);
        (void)QTest::qWaitFor([preview] { return preview->pageCount() > 0; });
        pages = preview->pageCount();
        modal->close();
    });
    ASSERT_TRUE(Run(cmd::FilePrintPreview));
    EXPECT_EQ(pages, 1);
}
