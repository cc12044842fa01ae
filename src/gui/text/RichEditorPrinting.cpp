// Page setup, print and print preview of the comments editor.
#include "text/RichEditorView.h"
#include "text/RichTextAdapter.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextDocument>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {
constexpr double kMillimetresPerTwip = 25.4 / 1440.0;

int HundredthsOfMm(double millimetres) {
    return static_cast<int>(std::lround(millimetres * 100.0));
}
} // namespace

void CRichEditorView::GiveMarginsTo(QPrinter& printer) const {
    auto mm = [](int twips) { return std::max(0, MarginTwipsToHmm(twips)) / 100.0; };
    (void)printer.setPageMargins(
        QMarginsF(mm(m_margins.left), mm(m_margins.top), mm(m_margins.right), mm(m_margins.bottom)),
        QPageLayout::Millimeter);
}

void CRichEditorView::TakeMarginsFrom(const QPrinter& printer) {
    const QMarginsF mm = printer.pageLayout().margins(QPageLayout::Millimeter);
    SetPageMargins({MarginHmmToTwips(HundredthsOfMm(mm.left())),
                    MarginHmmToTwips(HundredthsOfMm(mm.top())),
                    MarginHmmToTwips(HundredthsOfMm(mm.right())),
                    MarginHmmToTwips(HundredthsOfMm(mm.bottom()))});
}

void CRichEditorView::PrintTo(QPrinter& printer) const {
    auto mm = [](int twips) { return std::max(0, twips) * kMillimetresPerTwip; };
    // Margins a page cannot hold are refused by the printer, which keeps its own.
    (void)printer.setPageMargins(
        QMarginsF(mm(m_margins.left), mm(m_margins.top), mm(m_margins.right), mm(m_margins.bottom)),
        QPageLayout::Millimeter);
    const std::unique_ptr<QTextDocument> copy(document()->clone());
    copy->setDocumentMargin(0);
    // The page in the document's own pixels; printing scales them to the printer.
    const QRectF page = printer.pageLayout().paintRect(QPageLayout::Point);
    const double pixelsPerPoint = richtext::ScreenDpi() / 72.0;
    copy->setPageSize(QSizeF(page.width() * pixelsPerPoint, page.height() * pixelsPerPoint));
    copy->print(&printer);
}

void CRichEditorView::OnFilePageSetup(unsigned) {
    QPrinter& printer = Printer();
    const QPageLayout before = printer.pageLayout();
    GiveMarginsTo(printer);
    QPageSetupDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted)
        TakeMarginsFrom(printer);
    else
        printer.setPageLayout(before);
}

void CRichEditorView::OnFilePrint(unsigned) {
    QPrinter& printer = Printer();
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(tr("Print Comments"));
    if (dialog.exec() == QDialog::Accepted)
        PrintTo(printer);
}

void CRichEditorView::OnFilePrintPreview(unsigned) {
    QPrintPreviewDialog preview(&Printer(), this);
    preview.setObjectName(QStringLiteral("commentsPrintPreview"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* printer) { PrintTo(*printer); });
    preview.exec();
}
