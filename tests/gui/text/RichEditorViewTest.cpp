#include "text/RichEditorView.h"

#include "framework/CommandIds.h"
#include "framework/MemFile.h"
#include "text/RtfReader.h"

#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>

#include <gtest/gtest.h>

#include <string>

namespace {
void Put(CMemFile& file, std::string_view bytes) {
    file.Assign({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
}

std::string Bytes(const CMemFile& file) {
    return {reinterpret_cast<const char*>(file.Data().data()), file.GetLength()};
}

struct Editor : ::testing::Test {
    CRichEditorView editor;

    void SetUp() override { editor.show(); }

    bool Run(unsigned id) { return editor.OnCmdMsg(id, nullptr); }
    // Whether the editor handles id, and then whether it is enabled and checked.
    std::optional<std::pair<bool, int>> State(unsigned id) {
        CCmdUI ui(id);
        if (!editor.OnCmdMsg(id, &ui))
            return std::nullopt;
        return std::pair{ui.GetEnabled().value_or(true), ui.GetCheck().value_or(-1)};
    }
};
} // namespace

TEST_F(Editor, CommentsMoveThroughTheSessionFileUnmodifiedAfterward) {
    CMemFile file;
    editor.StreamComments(false, file);
    EXPECT_TRUE(editor.document()->isEmpty());
    EXPECT_FALSE(editor.IsModified());

    // An empty editor still stores an RTF stream, never an empty file.
    editor.StreamComments(true, file);
    EXPECT_TRUE(Bytes(file).starts_with("{\\rtf1"));
    EXPECT_TRUE(ReadRtf(Bytes(file)).paragraphs.empty());

    QTest::keyClicks(&editor, QStringLiteral("Notes"));
    EXPECT_TRUE(editor.IsModified());
    editor.StreamComments(true, file);
    EXPECT_FALSE(editor.IsModified());
    EXPECT_EQ(ReadRtf(Bytes(file)).PlainText(), "Notes\n");

    editor.clear();
    editor.StreamComments(false, file);
    EXPECT_EQ(editor.toPlainText(), QStringLiteral("Notes"));
    EXPECT_FALSE(editor.IsModified());

    // Disabling empties the editor.
    editor.EnableComments(false);
    EXPECT_TRUE(editor.document()->isEmpty());
    EXPECT_FALSE(editor.IsModified());
}

TEST_F(Editor, ContentTheModelCannotHoldIsProtectedUntilTheUserSaysSo) {
    const std::string stored =
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}Before{\\object\\objemb{\\*\\objdata 0102}"
        "{\\result shown}} after\\par}";
    CMemFile file;
    Put(file, stored);
    editor.StreamComments(false, file);
    EXPECT_TRUE(editor.IsProtected());
    EXPECT_TRUE(editor.isReadOnly());
    EXPECT_NE(editor.DroppedContent() & kRtfDroppedObject, 0u);
    EXPECT_TRUE(editor.toPlainText().startsWith(QStringLiteral("Before")));
    // Typing does nothing; copying works; formatting and paste are off.
    QTest::keyClicks(&editor, QStringLiteral("x"));
    EXPECT_FALSE(editor.IsModified());
    EXPECT_EQ(State(cmd::FormatBold)->first, false);
    EXPECT_EQ(State(cmd::EditSelectAll)->first, true);
    // Storing leaves the stored bytes as they are.
    editor.StreamComments(true, file);
    EXPECT_EQ(Bytes(file), stored);

    editor.EditAnyway();
    EXPECT_FALSE(editor.IsProtected());
    QTest::keyClicks(&editor, QStringLiteral("x"));
    ASSERT_TRUE(editor.IsModified());
    editor.StreamComments(true, file);
    EXPECT_NE(Bytes(file), stored);
    CRtfReadReport report;
    (void)ReadRtf(Bytes(file), &report);
    EXPECT_FALSE(report.IsLossy());

    // The next session's comments start unprotected.
    Put(file, "{\\rtf1 plain\\par}");
    editor.StreamComments(false, file);
    EXPECT_FALSE(editor.IsProtected());
    EXPECT_EQ(editor.DroppedContent(), 0u);
}

TEST_F(Editor, FormattingCommandsApplyToTheSelectionAndShowItsState) {
    QTest::keyClicks(&editor, QStringLiteral("one two"));
    editor.selectAll();
    EXPECT_EQ(State(cmd::FormatBold), (std::pair{true, 0}));
    for (unsigned id : {cmd::FormatBold, cmd::FormatItalic, cmd::FormatUnderline}) {
        ASSERT_TRUE(Run(id));
        EXPECT_EQ(State(id)->second, 1) << id;
    }
    // A selection partly bold is not bold; Bold makes all of it bold.
    QTextCursor cursor = editor.textCursor();
    cursor.setPosition(0);
    cursor.setPosition(3, QTextCursor::KeepAnchor);
    editor.setTextCursor(cursor);
    ASSERT_TRUE(Run(cmd::FormatBold));
    editor.selectAll();
    EXPECT_EQ(State(cmd::FormatBold)->second, 0);
    ASSERT_TRUE(Run(cmd::FormatBold));
    EXPECT_EQ(State(cmd::FormatBold)->second, 1);

    ASSERT_TRUE(Run(cmd::ParaAlignCenter));
    EXPECT_EQ(State(cmd::ParaAlignCenter)->second, 1);
    EXPECT_EQ(State(cmd::ParaAlignLeft)->second, 0);
    EXPECT_EQ(editor.document()->firstBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignHCenter);

    // Bullets on give the paragraph hanging room; off takes both away.
    ASSERT_TRUE(Run(cmd::ParaBullets));
    EXPECT_EQ(State(cmd::ParaBullets)->second, 1);
    ASSERT_NE(editor.document()->firstBlock().textList(), nullptr);
    ASSERT_TRUE(Run(cmd::ParaBullets));
    EXPECT_EQ(editor.document()->firstBlock().textList(), nullptr);
    EXPECT_EQ(editor.document()->firstBlock().blockFormat().leftMargin(), 0.0);

    // Ctrl+Tab types a tab; Undo takes it back.
    editor.moveCursor(QTextCursor::End);
    QTest::keyClick(&editor, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_TRUE(editor.toPlainText().endsWith('\t'));
    EXPECT_EQ(State(cmd::EditUndo)->first, true);
    ASSERT_TRUE(Run(cmd::EditUndo));
    EXPECT_FALSE(editor.toPlainText().endsWith('\t'));
    EXPECT_EQ(State(cmd::EditRedo)->first, true);
}

TEST_F(Editor, RoutingDeclinesTheProjectsCommandsAndAllButPageSetupWhenDisabled) {
    for (unsigned id : {cmd::FileSave, cmd::FileSaveAs, cmd::FileNew, cmd::EditName})
        EXPECT_FALSE(State(id).has_value()) << id;
    for (unsigned id : {cmd::EditCopy, cmd::FilePrint, cmd::FilePrintPreview, cmd::FormatFont})
        EXPECT_TRUE(State(id).has_value()) << id;
    EXPECT_EQ(State(cmd::EditCopy)->first, false); // nothing selected
    EXPECT_EQ(State(cmd::EditFind)->first, false); // nothing to search

    editor.EnableComments(false);
    EXPECT_TRUE(State(cmd::FilePageSetup).has_value());
    for (unsigned id : {cmd::FilePrint, cmd::FilePrintPreview, cmd::FormatBold, cmd::EditPaste})
        EXPECT_FALSE(State(id).has_value()) << id;
}

TEST_F(Editor, FindAndReplaceWorkOnTheText) {
    editor.setPlainText(QStringLiteral("Alpha beta alpha gamma ALPHA"));
    CFindReplaceDlg& dialog = editor.FindDialog();
    dialog.Open(false, QStringLiteral("alpha"));
    ASSERT_TRUE(dialog.isVisible());
    editor.moveCursor(QTextCursor::Start);
    ASSERT_TRUE(editor.FindNext(true));
    EXPECT_EQ(editor.textCursor().selectionStart(), 0);
    ASSERT_TRUE(editor.FindNext(true));
    EXPECT_EQ(editor.textCursor().selectionStart(), 11);
    EXPECT_FALSE(State(cmd::EditRepeat) == std::nullopt);
    ASSERT_TRUE(Run(cmd::EditRepeat)); // F3: the next one, ALPHA
    EXPECT_EQ(editor.textCursor().selectionStart(), 23);
    ASSERT_TRUE(editor.FindNext(true)); // wraps round to the first
    EXPECT_EQ(editor.textCursor().selectionStart(), 0);

    dialog.Open(true, QStringLiteral("alpha"));
    dialog.ReplaceEdit()->setText(QStringLiteral("omega"));
    editor.ReplaceCurrent(); // the selection is a match: replaced, then the next selected
    EXPECT_TRUE(editor.toPlainText().startsWith(QStringLiteral("omega beta")));
    EXPECT_EQ(editor.textCursor().selectedText(), QStringLiteral("alpha"));
    EXPECT_EQ(editor.ReplaceAll(), 2);
    EXPECT_EQ(editor.toPlainText(), QStringLiteral("omega beta omega gamma omega"));
    ASSERT_TRUE(Run(cmd::EditUndo)); // Replace All is one step
    EXPECT_EQ(editor.toPlainText(), QStringLiteral("omega beta alpha gamma ALPHA"));
    dialog.FindEdit()->setText(QStringLiteral("zeta"));
    EXPECT_FALSE(editor.FindNext(true));
}

TEST_F(Editor, PrintsInsideItsMarginsAndTakesPageSetupMarginsRounded) {
    // 1800 twips show in page setup as 31.80 mm and come back as 1803 twips.
    QPrinter printer(QPrinter::HighResolution);
    editor.GiveMarginsTo(printer);
    EXPECT_NEAR(printer.pageLayout().margins(QPageLayout::Millimeter).left(), 31.80, 0.01);
    editor.TakeMarginsFrom(printer);
    EXPECT_EQ(editor.GetPageMargins(), (PageMargins{1803, 1440, 1803, 1440}));

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString pdf = dir.filePath(QStringLiteral("comments.pdf"));
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    editor.setPlainText(
        QString(4000, QLatin1Char('x')).replace(QLatin1Char('x'), QStringLiteral("word ")));
    editor.PrintTo(printer);
    EXPECT_NEAR(printer.pageLayout().margins(QPageLayout::Millimeter).left(), 1803 * 25.4 / 1440,
                0.01);
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
    EXPECT_GE(QString::fromLatin1(bytes).count(page), 2); // several pages
}
