#include "text/RichEditorView.h"

#include "framework/MemFile.h"
#include "text/RichTextAdapter.h"
#include "text/RtfReader.h"
#include "text/RtfWriter.h"
#include "text/RulerMarkers.h"

#include <QApplication>
#include <QBuffer>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QPrinter>
#include <QTextBlock>
#include <QTextDocument>

#include <span>
#include <string_view>

namespace {
// The wait cursor while comments are converted.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// Comments typed into an empty editor: the desktop's usual face at a size for notes.
constexpr double kDefaultPointSize = 10.0;
} // namespace

CRichEditorView::CRichEditorView(QWidget* parent) : QTextEdit(parent) {
    setObjectName(QStringLiteral("edit1006"));
    setTabChangesFocus(true);
    setAcceptRichText(true);
    QFont font = QApplication::font();
    font.setPointSizeF(kDefaultPointSize);
    document()->setDefaultFont(font);
    // Default tab stops every half inch, where the ruler marks them.
    setTabStopDistance(richtext::TwipsToPixels(RulerMarkers::kDefaultTabInterval));
    connect(document(), &QTextDocument::modificationChanged, this, [this](bool modified) {
        if (modified && !m_bLoading)
            Q_EMIT commentsModified();
    });
    connect(this, &QTextEdit::cursorPositionChanged, this, &CRichEditorView::layoutChanged);
    connect(document(), &QTextDocument::contentsChanged, this, &CRichEditorView::layoutChanged);
}

CRichEditorView::~CRichEditorView() = default;

bool CRichEditorView::IsModified() const {
    return document()->isModified();
}

void CRichEditorView::StreamComments(bool store, CMemFile& file) {
    const WaitCursor wait;
    file.SeekToBegin();
    if (store) {
        if (!m_bProtected) {
            const std::string rtf = WriteRtf(richtext::SaveDocument(*document()));
            file.SetLength(0);
            file.Write(std::span(reinterpret_cast<const std::uint8_t*>(rtf.data()), rtf.size()));
            file.SeekToBegin();
        }
    } else {
        m_bLoading = true;
        const std::span<const std::uint8_t> bytes = file.Data();
        CRtfReadReport report;
        CRichDocument model;
        if (!bytes.empty())
            model =
                ReadRtf(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                        &report);
        richtext::LoadDocument(model, *document());
        moveCursor(QTextCursor::Start);
        m_nDropped = report.dropped;
        SetProtected(report.IsLossy());
        m_bLoading = false;
    }
    document()->setModified(false);
    Q_EMIT layoutChanged();
}

void CRichEditorView::EnableComments(bool enable) {
    setEnabled(enable);
    if (enable)
        return;
    m_bLoading = true;
    clear();
    setCurrentCharFormat(QTextCharFormat());
    m_nDropped = 0;
    SetProtected(false);
    document()->setModified(false);
    m_bLoading = false;
    if (m_pFind)
        m_pFind->hide();
}

void CRichEditorView::SetProtected(bool isProtected) {
    const bool changed = isProtected != m_bProtected;
    m_bProtected = isProtected;
    setReadOnly(isProtected);
    if (isProtected)
        setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    if (changed)
        Q_EMIT protectionChanged(isProtected);
}

void CRichEditorView::EditAnyway() {
    SetProtected(false);
}

bool CRichEditorView::IsEditable() const {
    return isEnabled() && !isReadOnly();
}

void CRichEditorView::SetPageMargins(const PageMargins& margins) {
    m_margins = margins;
    Q_EMIT layoutChanged();
}

QPrinter& CRichEditorView::Printer() {
    if (m_pSharedPrinter)
        return *m_pSharedPrinter;
    if (!m_pOwnPrinter)
        m_pOwnPrinter = std::make_unique<QPrinter>();
    return *m_pOwnPrinter;
}

void CRichEditorView::ChangeParagraphFormat(
    const std::function<CRichParagraphFormat(const CRichParagraphFormat&)>& change) {
    const QTextCursor selection = textCursor();
    QTextBlock block = document()->findBlock(selection.selectionStart());
    const QTextBlock last = document()->findBlock(selection.selectionEnd());
    QTextCursor edit(document());
    edit.beginEditBlock();
    for (; block.isValid(); block = block.next()) {
        edit.setPosition(block.position());
        richtext::SetParagraphFormat(edit, change(richtext::ParagraphFormat(block)));
        if (block == last)
            break;
    }
    edit.endEditBlock();
    Q_EMIT layoutChanged();
}

void CRichEditorView::ReplaceSel(const QString& text) {
    if (!IsEditable())
        return;
    textCursor().insertText(text);
    ensureCursorVisible();
}

void CRichEditorView::keyPressEvent(QKeyEvent* event) {
    // Ctrl+Tab types a tab (Tab alone moves the focus on); it never reaches the page tabs.
    if (event->key() == Qt::Key_Tab &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier) {
        if (IsEditable())
            textCursor().insertText(QStringLiteral("\t"));
        event->accept();
        return;
    }
    QTextEdit::keyPressEvent(event);
}

void CRichEditorView::resizeEvent(QResizeEvent* event) {
    QTextEdit::resizeEvent(event);
    Q_EMIT layoutChanged();
}

void CRichEditorView::scrollContentsBy(int dx, int dy) {
    QTextEdit::scrollContentsBy(dx, dy);
    if (dx != 0)
        Q_EMIT layoutChanged();
}

bool CRichEditorView::canInsertFromMimeData(const QMimeData* source) const {
    return source->hasImage() || QTextEdit::canInsertFromMimeData(source);
}

void CRichEditorView::insertFromMimeData(const QMimeData* source) {
    if (source->hasImage() && !source->hasHtml() && !source->hasText()) {
        InsertPicture(qvariant_cast<QImage>(source->imageData()));
        return;
    }
    QTextEdit::insertFromMimeData(source);
}

void CRichEditorView::InsertPicture(const QImage& image) {
    if (image.isNull() || !IsEditable())
        return;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return;
    CRichPicture picture;
    picture.data.assign(bytes.begin(), bytes.end());
    QTextCursor cursor = textCursor();
    richtext::InsertPicture(cursor, picture,
                            richtext::CharFormat(currentCharFormat(), document()->defaultFont()));
    setTextCursor(cursor);
}

// --- Find and replace ---

CFindReplaceDlg& CRichEditorView::FindDialog() {
    if (!m_pFind) {
        m_pFind = new CFindReplaceDlg(this);
        m_pFind->setWindowFlag(Qt::Dialog);
        connect(m_pFind, &CFindReplaceDlg::findNextRequested, this, [this] { FindNext(); });
        connect(m_pFind, &CFindReplaceDlg::replaceRequested, this, [this] { ReplaceCurrent(); });
        connect(m_pFind, &CFindReplaceDlg::replaceAllRequested, this,
                [this] { (void)ReplaceAll(); });
    }
    return *m_pFind;
}

namespace {
QTextDocument::FindFlags FlagsOf(const CFindReplaceDlg::Search& search) {
    QTextDocument::FindFlags flags;
    if (search.matchCase)
        flags |= QTextDocument::FindCaseSensitively;
    if (search.wholeWord)
        flags |= QTextDocument::FindWholeWords;
    if (!search.down)
        flags |= QTextDocument::FindBackward;
    return flags;
}
} // namespace

bool CRichEditorView::FindNext(bool quiet) {
    const CFindReplaceDlg::Search search = FindDialog().Current();
    if (search.what.isEmpty())
        return false;
    const QTextDocument::FindFlags flags = FlagsOf(search);
    QTextCursor found = document()->find(search.what, textCursor(), flags);
    if (found.isNull()) {
        QTextCursor from(document());
        if (!search.down)
            from.movePosition(QTextCursor::End);
        found = document()->find(search.what, from, flags);
    }
    if (found.isNull()) {
        if (!quiet)
            QMessageBox::information(
                m_pFind && m_pFind->isVisible() ? static_cast<QWidget*>(m_pFind.data()) : this,
                tr("Find"), tr("Cannot find \"%1\" in the comments.").arg(search.what));
        return false;
    }
    setTextCursor(found);
    ensureCursorVisible();
    return true;
}

void CRichEditorView::ReplaceCurrent() {
    const CFindReplaceDlg::Search search = FindDialog().Current();
    if (search.what.isEmpty() || !IsEditable())
        return;
    QTextCursor cursor = textCursor();
    const Qt::CaseSensitivity cs = search.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    if (cursor.hasSelection() && cursor.selectedText().compare(search.what, cs) == 0) {
        cursor.insertText(search.with);
        setTextCursor(cursor);
    }
    (void)FindNext();
}

int CRichEditorView::ReplaceAll() {
    const CFindReplaceDlg::Search search = FindDialog().Current();
    if (search.what.isEmpty() || !IsEditable())
        return 0;
    QTextDocument::FindFlags flags = FlagsOf(search);
    flags &= ~QTextDocument::FindFlags(QTextDocument::FindBackward);
    int count = 0;
    QTextCursor edit(document());
    edit.beginEditBlock();
    QTextCursor found = document()->find(search.what, 0, flags);
    while (!found.isNull()) {
        found.insertText(search.with);
        ++count;
        found = document()->find(search.what, found, flags);
    }
    edit.endEditBlock();
    if (count == 0)
        QMessageBox::information(
            m_pFind && m_pFind->isVisible() ? static_cast<QWidget*>(m_pFind.data()) : this,
            tr("Replace"), tr("Cannot find \"%1\" in the comments.").arg(search.what));
    return count;
}
