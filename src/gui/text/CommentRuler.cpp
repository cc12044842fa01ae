#include "text/CommentRuler.h"

#include "text/RichEditorView.h"
#include "text/RichTextAdapter.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>

namespace {
// The strip is 17 pixels high inside a one-pixel border.
constexpr int kStripHeight = 17;
constexpr int kBorder = 1;
constexpr int kMarkerHalfWidth = 4;
constexpr int kTabMarkerSize = 5;
} // namespace

CCommentRuler::CCommentRuler(CRichEditorView& editor, QWidget* parent)
    : QWidget(parent), m_editor(editor) {
    setObjectName(QStringLiteral("ruler1022"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    QFont small = font();
    small.setPixelSize(8);
    setFont(small);
    connect(&editor, &CRichEditorView::layoutChanged, this, &CCommentRuler::UpdateFromEditor);
    UpdateFromEditor();
}

QSize CCommentRuler::sizeHint() const {
    return {200, kStripHeight + 2 * kBorder};
}

QSize CCommentRuler::minimumSizeHint() const {
    return {20, kStripHeight + 2 * kBorder};
}

void CCommentRuler::UpdateFromEditor() {
    bool changed = m_markers.SetMargins(m_editor.GetPageMargins());
    if (m_markers.DraggedMarker() == RulerMarkers::kNone)
        changed |= m_markers.SetParagraph(richtext::ParagraphFormat(m_editor.textCursor().block()));
    const QPoint textLeft(static_cast<int>(m_editor.document()->documentMargin()), 0);
    const int origin = mapFromGlobal(m_editor.viewport()->mapToGlobal(textLeft)).x();
    const int scroll = m_editor.horizontalScrollBar()->value();
    changed |= origin != m_origin || scroll != m_scroll;
    m_origin = origin;
    m_scroll = scroll;
    if (changed)
        update();
}

int CCommentRuler::PixelOf(int twips) const {
    return RulerMarkers::TwipsToPixel(twips, m_scroll, m_origin, richtext::ScreenDpi());
}

int CCommentRuler::TwipsAt(int x) const {
    return RulerMarkers::PixelToTwips(x, m_scroll, m_origin, richtext::ScreenDpi());
}

QRect CCommentRuler::MarkerRect(int marker) const {
    const int x = PixelOf(m_markers.Position(marker));
    const int top = kBorder;
    const int middle = kBorder + kStripHeight / 2;
    switch (marker) {
    case RulerMarkers::kFirstLine:
        return {x - kMarkerHalfWidth, top, 2 * kMarkerHalfWidth + 1, middle - top};
    case RulerMarkers::kLeft:
    case RulerMarkers::kRight:
        return {x - kMarkerHalfWidth, middle, 2 * kMarkerHalfWidth + 1,
                kBorder + kStripHeight - middle};
    default:
        return {x - 1, kBorder + kStripHeight - kTabMarkerSize - 2, kTabMarkerSize + 2,
                kTabMarkerSize + 2};
    }
}

int CCommentRuler::MarkerAt(QPoint point) const {
    for (int marker : {RulerMarkers::kLeft, RulerMarkers::kFirstLine, RulerMarkers::kRight})
        if (MarkerRect(marker).contains(point))
            return marker;
    for (int i = 0; i < static_cast<int>(RulerMarkers::kTabCount); ++i) {
        const int marker = RulerMarkers::kFirstTab + i;
        if (m_markers.InUse(marker) && MarkerRect(marker).contains(point))
            return marker;
    }
    return RulerMarkers::kNone;
}

void CCommentRuler::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QPalette& pal = palette();
    p.fillRect(rect(), pal.color(QPalette::Button));
    p.setPen(pal.color(QPalette::Mid));
    p.drawRect(rect().adjusted(0, 0, -1, -1));

    // The usable width of the page on a light band, the scale on it.
    const int left = PixelOf(0);
    const int right = PixelOf(m_markers.UsableWidth());
    const QRect band(QPoint(std::max(left, kBorder), kBorder + 3),
                     QPoint(std::min(right, width() - 1 - kBorder), kBorder + kStripHeight - 4));
    p.fillRect(band, isEnabled() ? pal.color(QPalette::Base) : pal.color(QPalette::Window));

    const int firstTwips =
        std::max(0, TwipsAt(0) / RulerMarkers::kSmallDivision * RulerMarkers::kSmallDivision);
    const int lastTwips = std::min(m_markers.UsableWidth(), TwipsAt(width()));
    const int middle = kBorder + kStripHeight / 2;
    p.setPen(pal.color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    for (int t = firstTwips; t <= lastTwips; t += RulerMarkers::kSmallDivision) {
        const int x = PixelOf(t);
        if (t > 0 && t % RulerMarkers::kTwipsPerUnit == 0) {
            const QString number = QString::number(t / RulerMarkers::kTwipsPerUnit);
            const QRect box(x - 10, kBorder + 3, 21, kStripHeight - 6);
            p.drawText(box, Qt::AlignCenter, number);
        } else if (t % RulerMarkers::kMediumDivision == 0) {
            p.drawLine(x, middle - 2, x, middle + 1);
        } else {
            p.drawLine(x, middle, x, middle);
        }
    }
    // Default tab stops after the last tab marker in use.
    const int bottom = kBorder + kStripHeight - 1;
    for (int t = (m_markers.LastTabPosition() / RulerMarkers::kDefaultTabInterval + 1) *
                 RulerMarkers::kDefaultTabInterval;
         t <= lastTwips; t += RulerMarkers::kDefaultTabInterval) {
        const int x = PixelOf(t);
        p.drawLine(x, bottom - 1, x, bottom);
    }

    // The markers.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(pal.color(QPalette::Window));
    p.setPen(pal.color(QPalette::WindowText));
    auto triangle = [&p](int x, int tipY, int baseY) {
        const QPoint points[] = {
            {x, tipY}, {x - kMarkerHalfWidth, baseY}, {x + kMarkerHalfWidth, baseY}};
        p.drawPolygon(points, 3);
    };
    const int firstX = PixelOf(m_markers.Position(RulerMarkers::kFirstLine));
    triangle(firstX, middle - 1, kBorder);
    const int leftX = PixelOf(m_markers.Position(RulerMarkers::kLeft));
    triangle(leftX, middle, bottom - 3);
    p.drawRect(leftX - kMarkerHalfWidth, bottom - 3, 2 * kMarkerHalfWidth, 3);
    const int rightX = PixelOf(m_markers.Position(RulerMarkers::kRight));
    triangle(rightX, middle, bottom);
    for (int i = 0; i < static_cast<int>(RulerMarkers::kTabCount); ++i) {
        const int marker = RulerMarkers::kFirstTab + i;
        if (!m_markers.InUse(marker))
            continue;
        // A left tab: an L two pixels thick.
        const int x = PixelOf(m_markers.Position(marker));
        p.fillRect(x, bottom - kTabMarkerSize, 2, kTabMarkerSize + 1,
                   pal.color(QPalette::WindowText));
        p.fillRect(x, bottom - 1, kTabMarkerSize + 1, 2, pal.color(QPalette::WindowText));
    }
}

void CCommentRuler::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_editor.IsEditable()) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint at = event->position().toPoint();
    int marker = MarkerAt(at);
    if (marker == RulerMarkers::kNone)
        marker = m_markers.FreeTabMarker();
    if (marker == RulerMarkers::kNone)
        return; // all 32 tab stops are in use
    m_markers.BeginDrag(marker, TwipsAt(at.x()));
    MoveGuide();
    update();
    event->accept();
}

void CCommentRuler::mouseMoveEvent(QMouseEvent* event) {
    if (m_markers.DraggedMarker() == RulerMarkers::kNone)
        return;
    const QPoint at = event->position().toPoint();
    m_markers.DragTo(TwipsAt(at.x()), rect().contains(at));
    MoveGuide();
    update();
}

void CCommentRuler::mouseReleaseEvent(QMouseEvent* event) {
    if (m_markers.DraggedMarker() == RulerMarkers::kNone || event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    m_markers.DragTo(TwipsAt(at.x()), rect().contains(at));
    HideGuide();
    (void)m_markers.EndDrag();
    const RulerMarkers markers = m_markers;
    m_editor.ChangeParagraphFormat(
        [&markers](const CRichParagraphFormat& format) { return markers.ApplyTo(format); });
    UpdateFromEditor();
    update();
}

void CCommentRuler::MoveGuide() {
    const int marker = m_markers.DraggedMarker();
    if (marker == RulerMarkers::kNone || !m_markers.InUse(marker)) {
        HideGuide();
        return;
    }
    QWidget* viewport = m_editor.viewport();
    if (!m_guide) {
        m_guide = new QWidget(viewport);
        m_guide->setObjectName(QStringLiteral("rulerGuide"));
        m_guide->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_guide->setAutoFillBackground(true);
        // The viewport's children would otherwise fill with its base colour.
        m_guide->setBackgroundRole(QPalette::Window);
        QPalette pal = m_guide->palette();
        pal.setColor(QPalette::Window, palette().color(QPalette::WindowText));
        m_guide->setPalette(pal);
    }
    const QPoint global = mapToGlobal(QPoint(PixelOf(m_markers.Position(marker)), 0));
    m_guide->setGeometry(viewport->mapFromGlobal(global).x(), 0, 1, viewport->height());
    m_guide->show();
    m_guide->raise();
}

void CCommentRuler::HideGuide() {
    if (m_guide)
        m_guide->hide();
}
