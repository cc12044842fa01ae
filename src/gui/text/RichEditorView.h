// CRichEditorView: the session comments editor — formatted text, its commands, printing.
#pragma once

#include "framework/CmdTarget.h"
#include "shell/CommentsEditor.h"
#include "text/FindReplaceDlg.h"
#include "text/PageMargins.h"
#include "text/RichDocument.h"

#include <QPointer>
#include <QTextEdit>

#include <functional>
#include <memory>

class QPrinter;

// A QTextEdit holding one session's comments as the rich-text model allows them (see
// richtext::LoadDocument). Its text is its own private document: the editor handles the Edit
// and Format commands, page setup, print and print preview, and never Save, Save As or Close,
// which go on to the project. While disabled it declines every command but page setup.
//
// Comments that held content the model cannot keep (embedded objects, tables...) are shown
// read-only ("protected") so that storing cannot lose it; EditAnyway lifts that for the session
// shown. Tab moves the focus on; Ctrl+Tab types a tab.
class CRichEditorView : public QTextEdit, public CCmdTarget, public CommentsEditor {
    Q_OBJECT
public:
    explicit CRichEditorView(QWidget* parent = nullptr);
    ~CRichEditorView() override;

    // --- CommentsEditor ---
    [[nodiscard]] bool IsModified() const override;
    // Loading reads RTF (or, for bytes that are not RTF, Windows-1252 text) and protects the
    // comments when the reader had to leave something out. Storing writes RTF; a protected
    // editor leaves the file as it is.
    void StreamComments(bool store, CMemFile& file) override;
    void EnableComments(bool enable) override;

    // --- Content the model cannot hold ---
    [[nodiscard]] bool IsProtected() const { return m_bProtected; }
    // The ERtfDropped bits of the comments shown (0 when nothing was left out).
    [[nodiscard]] unsigned DroppedContent() const { return m_nDropped; }
    // Makes protected comments editable; storing them afterwards leaves out what the model
    // cannot hold.
    void EditAnyway();

    // --- Page margins and printing ---
    [[nodiscard]] const PageMargins& GetPageMargins() const { return m_margins; }
    void SetPageMargins(const PageMargins& margins);
    // The printer that page setup, print and print preview use; not owned (the application's
    // printer). Null: the editor's own.
    void SetPrinter(QPrinter* printer) { m_pSharedPrinter = printer; }
    [[nodiscard]] QPrinter& Printer();
    // Lays the comments out on printer's pages inside the margins and prints them.
    void PrintTo(QPrinter& printer) const;
    // The page setup dialog's answer applied to the margins: the printer's margins in
    // hundredths of millimetres, rounded to multiples of 10, as twips.
    void TakeMarginsFrom(const QPrinter& printer);
    // The margins handed to printer before page setup (rounded as the dialog shows them).
    void GiveMarginsTo(QPrinter& printer) const;

    // Gives every paragraph of the selection the format change makes of its own, as one undo
    // step.
    void ChangeParagraphFormat(
        const std::function<CRichParagraphFormat(const CRichParagraphFormat&)>& change);
    // True when text can be typed: enabled and not read-only.
    [[nodiscard]] bool IsEditable() const;

    // Replaces the selection with text (the caret when nothing is selected); nothing when the
    // editor is disabled or read-only.
    void ReplaceSel(const QString& text);

    // The Find/Replace window, created on first use.
    [[nodiscard]] CFindReplaceDlg& FindDialog();
    // Searches from the selection with what the window holds, wrapping round once; false (after
    // telling the user) when the text does not occur.
    bool FindNext(bool quiet = false);
    // Replace: the selection when it is the text searched for, then the next occurrence.
    void ReplaceCurrent();
    // Replace All: every occurrence, as one undo step. The number replaced.
    int ReplaceAll();

    bool OnCmdMsg(unsigned nID, CCmdUI* pCmdUI) override;

Q_SIGNALS:
    // The user changed the text (the first change after a load or store).
    void commentsModified();
    void protectionChanged(bool isProtected);
    // Anything the ruler follows changed: the selection's paragraph, the scroll position, the
    // size or the margins.
    void layoutChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    [[nodiscard]] bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    void SetProtected(bool isProtected);
    // True when every character of the selection (or the caret's format) has the effect of
    // command id (bold, italic or underline).
    [[nodiscard]] bool SelectionHasEffect(unsigned id) const;
    void InsertPicture(const QImage& image);

    // Commands (RichEditorCommands.cpp).
    void OnCharEffect(unsigned id);
    void OnUpdateCharEffect(CCmdUI& ui);
    void OnParaAlign(unsigned id);
    void OnUpdateParaAlign(CCmdUI& ui);
    void OnBullets(unsigned id);
    void OnUpdateBullets(CCmdUI& ui);
    void OnFormatFont(unsigned id);
    void OnUpdateEditable(CCmdUI& ui);
    void OnEditCut(unsigned id);
    void OnUpdateEditCut(CCmdUI& ui);
    void OnEditCopy(unsigned id);
    void OnUpdateEditCopy(CCmdUI& ui);
    void OnEditPaste(unsigned id);
    void OnUpdateEditPaste(CCmdUI& ui);
    void OnEditPasteSpecial(unsigned id);
    void OnUpdateEditPasteSpecial(CCmdUI& ui);
    void OnEditSelectAll(unsigned id);
    void OnUpdateHasText(CCmdUI& ui);
    void OnEditUndo(unsigned id);
    void OnUpdateEditUndo(CCmdUI& ui);
    void OnEditRedo(unsigned id);
    void OnUpdateEditRedo(CCmdUI& ui);
    void OnEditFind(unsigned id);
    void OnEditRepeat(unsigned id);
    void OnEditReplace(unsigned id);
    void OnUpdateEditReplace(CCmdUI& ui);
    // Printing (RichEditorPrinting.cpp).
    void OnFilePageSetup(unsigned id);
    void OnFilePrint(unsigned id);
    void OnFilePrintPreview(unsigned id);

    PageMargins m_margins;
    QPrinter* m_pSharedPrinter = nullptr;
    std::unique_ptr<QPrinter> m_pOwnPrinter;
    QPointer<CFindReplaceDlg> m_pFind;
    bool m_bProtected = false;
    unsigned m_nDropped = 0;
    bool m_bLoading = false;
};
