// The Edit and Format commands of the comments editor.
#include "framework/CommandIds.h"
#include "text/RichEditorView.h"
#include "text/RichTextAdapter.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDialog>
#include <QInputDialog>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

namespace {
// The hanging room a bullet gets when its paragraph has none: a quarter inch.
constexpr int kBulletHangTwips = 360;

bool HasEffect(const QTextCharFormat& format, unsigned id) {
    switch (id) {
    case cmd::FormatBold:
        return format.fontWeight() >= QFont::DemiBold;
    case cmd::FormatItalic:
        return format.fontItalic();
    case cmd::FormatUnderline:
        return format.fontUnderline();
    default:
        return false;
    }
}

ERichAlign AlignOf(unsigned id) {
    return id == cmd::ParaAlignCenter  ? ERichAlign::Centre
           : id == cmd::ParaAlignRight ? ERichAlign::Right
                                       : ERichAlign::Left;
}
} // namespace

bool CRichEditorView::OnCmdMsg(unsigned nID, CCmdUI* pCmdUI) {
    if (!isEnabled() && nID != cmd::FilePageSetup)
        return false;
    using V = CRichEditorView;
    static const CommandEntry<V> map[] = {
        {cmd::FormatBold, cmd::FormatUnderline, &V::OnCharEffect, &V::OnUpdateCharEffect},
        {cmd::ParaAlignLeft, cmd::ParaAlignRight, &V::OnParaAlign, &V::OnUpdateParaAlign},
        {cmd::ParaBullets, cmd::ParaBullets, &V::OnBullets, &V::OnUpdateBullets},
        {cmd::FormatFont, cmd::FormatFont, &V::OnFormatFont, &V::OnUpdateEditable},
        {cmd::EditCut, cmd::EditCut, &V::OnEditCut, &V::OnUpdateEditCut},
        {cmd::EditCopy, cmd::EditCopy, &V::OnEditCopy, &V::OnUpdateEditCopy},
        {cmd::EditPaste, cmd::EditPaste, &V::OnEditPaste, &V::OnUpdateEditPaste},
        {cmd::EditPasteSpecial, cmd::EditPasteSpecial, &V::OnEditPasteSpecial,
         &V::OnUpdateEditPasteSpecial},
        {cmd::EditSelectAll, cmd::EditSelectAll, &V::OnEditSelectAll, &V::OnUpdateHasText},
        {cmd::EditUndo, cmd::EditUndo, &V::OnEditUndo, &V::OnUpdateEditUndo},
        {cmd::EditRedo, cmd::EditRedo, &V::OnEditRedo, &V::OnUpdateEditRedo},
        {cmd::EditFind, cmd::EditFind, &V::OnEditFind, &V::OnUpdateHasText},
        {cmd::EditRepeat, cmd::EditRepeat, &V::OnEditRepeat, &V::OnUpdateHasText},
        {cmd::EditReplace, cmd::EditReplace, &V::OnEditReplace, &V::OnUpdateEditReplace},
        {cmd::FilePageSetup, cmd::FilePageSetup, &V::OnFilePageSetup, nullptr},
        {cmd::FilePrint, cmd::FilePrint, &V::OnFilePrint, nullptr},
        {cmd::FilePrintPreview, cmd::FilePrintPreview, &V::OnFilePrintPreview, nullptr},
    };
    return RouteCommand(*this, map, nID, pCmdUI);
}

bool CRichEditorView::SelectionHasEffect(unsigned id) const {
    const QTextCursor cursor = textCursor();
    if (!cursor.hasSelection())
        return HasEffect(currentCharFormat(), id);
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    for (QTextBlock block = document()->findBlock(start); block.isValid() && block.position() < end;
         block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.position() + fragment.length() <= start || fragment.position() >= end)
                continue;
            if (!HasEffect(fragment.charFormat(), id))
                return false;
        }
    }
    return true;
}

void CRichEditorView::OnCharEffect(unsigned id) {
    const bool on = !SelectionHasEffect(id);
    QTextCharFormat format;
    if (id == cmd::FormatBold)
        format.setFontWeight(on ? QFont::Bold : QFont::Normal);
    else if (id == cmd::FormatItalic)
        format.setFontItalic(on);
    else
        format.setFontUnderline(on);
    mergeCurrentCharFormat(format);
}

void CRichEditorView::OnUpdateCharEffect(CCmdUI& ui) {
    ui.Enable(IsEditable());
    ui.SetCheck(SelectionHasEffect(ui.GetID()) ? 1 : 0);
}

void CRichEditorView::OnParaAlign(unsigned id) {
    const ERichAlign align = AlignOf(id);
    ChangeParagraphFormat([align](CRichParagraphFormat format) {
        format.align = align;
        return format;
    });
}

void CRichEditorView::OnUpdateParaAlign(CCmdUI& ui) {
    ui.Enable(IsEditable());
    ui.SetCheck(richtext::ParagraphFormat(textCursor().block()).align == AlignOf(ui.GetID()));
}

void CRichEditorView::OnBullets(unsigned) {
    const bool on = textCursor().block().textList() == nullptr;
    ChangeParagraphFormat([on](CRichParagraphFormat format) {
        format.bullet = on;
        if (!on) {
            format.leftIndentTwips = 0;
            format.firstIndentTwips = 0;
        } else if (format.firstIndentTwips == 0) {
            // The bullet hangs before the text: the first line starts where the others do.
            format.leftIndentTwips += kBulletHangTwips;
            format.firstIndentTwips = -kBulletHangTwips;
        }
        return format;
    });
}

void CRichEditorView::OnUpdateBullets(CCmdUI& ui) {
    ui.Enable(IsEditable());
    ui.SetCheck(textCursor().block().textList() ? 1 : 0);
}

void CRichEditorView::OnFormatFont(unsigned) {
    const QFont initial = currentCharFormat().font().resolve(document()->defaultFont());
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, this, tr("Font"));
    if (!ok)
        return;
    QTextCharFormat format;
    format.setFontFamilies(QStringList{font.family()});
    if (font.pointSizeF() > 0)
        format.setFontPointSize(font.pointSizeF());
    format.setFontWeight(font.bold() ? QFont::Bold : QFont::Normal);
    format.setFontItalic(font.italic());
    format.setFontUnderline(font.underline());
    mergeCurrentCharFormat(format);
}

void CRichEditorView::OnUpdateEditable(CCmdUI& ui) {
    ui.Enable(IsEditable());
}

void CRichEditorView::OnEditCut(unsigned) {
    cut();
}

void CRichEditorView::OnUpdateEditCut(CCmdUI& ui) {
    ui.Enable(IsEditable() && textCursor().hasSelection());
}

void CRichEditorView::OnEditCopy(unsigned) {
    copy();
}

void CRichEditorView::OnUpdateEditCopy(CCmdUI& ui) {
    ui.Enable(textCursor().hasSelection());
}

void CRichEditorView::OnEditPaste(unsigned) {
    paste();
}

void CRichEditorView::OnUpdateEditPaste(CCmdUI& ui) {
    ui.Enable(IsEditable() && canPaste());
}

void CRichEditorView::OnEditPasteSpecial(unsigned) {
    const QMimeData* source = QApplication::clipboard()->mimeData();
    if (!source)
        return;
    const QString formatted = tr("Formatted Text");
    const QString plain = tr("Unformatted Text");
    const QString picture = tr("Picture");
    QStringList choices;
    if (source->hasHtml())
        choices << formatted;
    if (source->hasText())
        choices << plain;
    if (source->hasImage())
        choices << picture;
    if (choices.isEmpty())
        return;
    bool ok = false;
    const QString choice =
        QInputDialog::getItem(this, tr("Paste Special"), tr("&As:"), choices, 0, false, &ok);
    if (!ok)
        return;
    if (choice == formatted) {
        QMimeData html;
        html.setHtml(source->html());
        QTextEdit::insertFromMimeData(&html);
    } else if (choice == plain) {
        insertPlainText(source->text());
    } else {
        InsertPicture(qvariant_cast<QImage>(source->imageData()));
    }
}

void CRichEditorView::OnUpdateEditPasteSpecial(CCmdUI& ui) {
    const QMimeData* source = QApplication::clipboard()->mimeData();
    ui.Enable(IsEditable() && source &&
              (source->hasHtml() || source->hasText() || source->hasImage()));
}

void CRichEditorView::OnEditSelectAll(unsigned) {
    selectAll();
}

void CRichEditorView::OnUpdateHasText(CCmdUI& ui) {
    ui.Enable(!document()->isEmpty());
}

void CRichEditorView::OnEditUndo(unsigned) {
    undo();
}

void CRichEditorView::OnUpdateEditUndo(CCmdUI& ui) {
    ui.Enable(IsEditable() && document()->isUndoAvailable());
}

void CRichEditorView::OnEditRedo(unsigned) {
    redo();
}

void CRichEditorView::OnUpdateEditRedo(CCmdUI& ui) {
    ui.Enable(IsEditable() && document()->isRedoAvailable());
}

void CRichEditorView::OnEditFind(unsigned) {
    FindDialog().Open(false, textCursor().selectedText());
}

void CRichEditorView::OnEditRepeat(unsigned) {
    if (FindDialog().Current().what.isEmpty())
        FindDialog().Open(false, textCursor().selectedText());
    else
        (void)FindNext();
}

void CRichEditorView::OnEditReplace(unsigned) {
    FindDialog().Open(true, textCursor().selectedText());
}

void CRichEditorView::OnUpdateEditReplace(CCmdUI& ui) {
    ui.Enable(IsEditable() && !document()->isEmpty());
}
