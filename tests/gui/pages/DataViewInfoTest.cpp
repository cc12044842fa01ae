#include "pages/DataViewInfo.h"

#include "../../core/support/FakeUi.h"
#include "data/DataBlock.h"
#include "data/DataModule.h"
#include "framework/CommandIds.h"
#include "framework/Hints.h"
#include "framework/MemoryRegistryStore.h"
#include "shell/MainDoc.h"
#include "text/CommentRuler.h"
#include "text/RichEditorView.h"
#include "text/RichTextAdapter.h"
#include "text/RtfReader.h"
#include "text/RtfWriter.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>

#include <gtest/gtest.h>

namespace {
void Put(CMemFile& file, std::string_view bytes) {
    file.Assign({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
}

std::string Bytes(const CMemFile& file) {
    return {reinterpret_cast<const char*>(file.Data().data()), file.GetLength()};
}

struct InfoPage : ::testing::Test {
    FakeUi ui;
    MemoryRegistryStore registry;
    CMainDoc doc{&ui, &registry};
    std::unique_ptr<CDataViewInfo> page;
    CDataModule* session = nullptr;
    CDataModule* lossy = nullptr;
    CDataBlock* flight = nullptr;

    void SetUp() override {
        session = AddSession(WriteRtf(CRichDocument::FromPlainText("First notes", {})));
        lossy = AddSession("{\\rtf1 Text{\\object\\objemb{\\*\\objdata 01}}\\par}");
        auto made = std::make_unique<CDataBlock>(session);
        made->SetDate("01.05.2024");
        made->SetSampleRate(200);
        made->SetVersion(2);
        made->SetReferenceRaw(1000);
        made->SetPressureFormula("X");
        made->SetAltitudeFormula("PA/10");
        made->GetRawSamples().assign(300, 1000);
        flight = made.get();
        session->AppendFlight(std::move(made));
        Open();
    }
    void Open() {
        page = std::make_unique<CDataViewInfo>();
        doc.AddView(page.get());
        page->resize(700, 500);
        page->show();
        page->OnInitialUpdate();
    }
    CDataModule* AddSession(const std::string& comments) {
        auto made = std::make_unique<CDataModule>(&doc);
        Put(made->GetComments(), comments);
        CDataModule* raw = made.get();
        doc.GetSessions().AddTail(std::move(made));
        return raw;
    }
    void Select(CObject* item) { doc.UpdateAllViews(nullptr, HINT_SELECTION, item); }
    QLineEdit* Field(const char* name) const {
        return page->findChild<QLineEdit*>(QString::fromLatin1(name));
    }
    QWidget* Child(const char* name) const {
        return page->findChild<QWidget*>(QString::fromLatin1(name));
    }
};
} // namespace

TEST_F(InfoPage, ShowsTheSelectedFlightAndItsSessionsComments) {
    EXPECT_FALSE(page->Editor().isEnabled());
    EXPECT_FALSE(Child("button1013")->isEnabled());

    Select(flight);
    EXPECT_EQ(Field("edit1003")->text(), QStringLiteral("01.05.2024"));
    EXPECT_EQ(Field("edit1005")->text(), QStringLiteral("200"));
    EXPECT_EQ(Field("edit1004")->text(), QStringLiteral("2"));
    EXPECT_EQ(Field("edit1008")->text(), QStringLiteral("60.0 sec"));
    EXPECT_EQ(Field("edit1007")->text(), QStringLiteral("100.0 m"));
    EXPECT_TRUE(Child("button1013")->isEnabled());
    EXPECT_EQ(page->Editor().toPlainText(), QStringLiteral("First notes"));
    EXPECT_EQ(page->GetCommandView(), &page->Editor());

    // Typing marks the project at once; choosing another session stores the text.
    page->Editor().moveCursor(QTextCursor::End);
    QTest::keyClicks(&page->Editor(), QStringLiteral(" and more"));
    EXPECT_TRUE(doc.IsModified());
    Select(lossy);
    EXPECT_FALSE(Field("edit1003")->isEnabled());
    EXPECT_TRUE(Field("edit1003")->text().isEmpty());
    EXPECT_EQ(ReadRtf(Bytes(session->GetComments())).PlainText(), "First notes and more\n");

    // Calculations: the new formula shows at once.
    Select(flight);
    ui.SetFormulaEditor([](std::string&, std::string& altitude) {
        altitude = "PA/20";
        return true;
    });
    static_cast<QPushButton*>(Child("button1013"))->click();
    EXPECT_EQ(Field("edit1007")->text(), QStringLiteral("50.0 m"));

    // The page passes printing on to the editor.
    CCmdUI state(cmd::FilePrintPreview);
    EXPECT_TRUE(page->OnCmdMsg(cmd::FilePrintPreview, &state));
    EXPECT_FALSE(page->OnCmdMsg(cmd::FormatBold, nullptr));
}

TEST_F(InfoPage, CommentsItCannotKeepAreShownReadOnlyUntilEditAnyway) {
    const std::string stored = Bytes(lossy->GetComments());
    Select(lossy);
    QWidget* notice = Child("commentsNotice");
    EXPECT_TRUE(notice->isVisible());
    EXPECT_TRUE(page->Editor().isReadOnly());
    doc.UpdateAllViews(nullptr, HINT_SAVE, nullptr);
    EXPECT_EQ(Bytes(lossy->GetComments()), stored);

    static_cast<QPushButton*>(Child("editAnyway"))->click();
    EXPECT_FALSE(notice->isVisible());
    QTest::keyClicks(&page->Editor(), QStringLiteral("x"));
    doc.UpdateAllViews(nullptr, HINT_SAVE, nullptr);
    EXPECT_NE(Bytes(lossy->GetComments()), stored);

    Select(session);
    EXPECT_FALSE(notice->isVisible());
}

TEST_F(InfoPage, MarginsComeFromTheRegistryAndGoBackToIt) {
    page->Editor().SetPageMargins({720, 720, 720, 720});
    page.reset();
    Open();
    EXPECT_EQ(page->Editor().GetPageMargins(), (PageMargins{720, 720, 720, 720}));
}

TEST_F(InfoPage, TheRulerSetsTabStopsOfTheSelectedParagraphs) {
    Select(session);
    CCommentRuler& ruler = page->Ruler();
    ASSERT_TRUE(ruler.isVisible());
    page->Editor().selectAll();
    const int y = ruler.height() - 3;
    // A press on the strip away from the markers adds a tab stop, snapped to 142 twips.
    const int x = ruler.PixelOf(738);
    QTest::mousePress(&ruler, Qt::LeftButton, {}, QPoint(x, y));
    QWidget* guide = page->Editor().viewport()->findChild<QWidget*>(QStringLiteral("rulerGuide"));
    ASSERT_NE(guide, nullptr);
    EXPECT_TRUE(guide->isVisible());
    QTest::mouseRelease(&ruler, Qt::LeftButton, {}, QPoint(x, y));
    EXPECT_FALSE(guide->isVisible());
    const CRichParagraphFormat format =
        richtext::ParagraphFormat(page->Editor().document()->firstBlock());
    EXPECT_EQ(format.tabStopsTwips, (std::vector<int>{710}));
    EXPECT_TRUE(page->Editor().IsModified());

    // Dragged off the strip, the tab stop is gone.
    const int tab = ruler.PixelOf(710);
    QTest::mousePress(&ruler, Qt::LeftButton, {}, QPoint(tab, y));
    QMouseEvent away(QEvent::MouseMove, QPointF(tab, y + 40),
                     ruler.mapToGlobal(QPointF(tab, y + 40)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&ruler, &away);
    QTest::mouseRelease(&ruler, Qt::LeftButton, {}, QPoint(tab, y + 40));
    EXPECT_TRUE(
        richtext::ParagraphFormat(page->Editor().document()->firstBlock()).tabStopsTwips.empty());
}
