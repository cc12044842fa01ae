// CCommentRuler: the strip under the comments editor with the centimetre scale, the indent
// markers and the tab stops of the selection's paragraph.
#pragma once

#include "text/RulerMarkers.h"

#include <QPointer>
#include <QWidget>

class CRichEditorView;

// Follows the editor (its margins, the paragraph at the caret, its text origin and scroll) and
// changes the selection's indents and tab stops when a marker is dragged: the first-line
// marker (top triangle), the left marker (bottom triangle with its box), the right marker and
// up to 32 tab markers. A press away from the markers adds a tab stop; a tab marker dragged off
// the strip is removed. While a marker is dragged a guide line runs down the editor.
class CCommentRuler : public QWidget {
    Q_OBJECT
public:
    // editor is not owned and must outlive the ruler.
    explicit CCommentRuler(CRichEditorView& editor, QWidget* parent = nullptr);

    // Takes the editor's state; repaints only when something the ruler shows changed.
    void UpdateFromEditor();

    [[nodiscard]] const RulerMarkers& Markers() const { return m_markers; }
    // The ruler x of a position in twips from the text's left edge.
    [[nodiscard]] int PixelOf(int twips) const;
    // The marker drawn at point (left, first-line, right, then tabs), or RulerMarkers::kNone.
    [[nodiscard]] int MarkerAt(QPoint point) const;

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    [[nodiscard]] int TwipsAt(int x) const;
    [[nodiscard]] QRect MarkerRect(int marker) const;
    void MoveGuide();
    void HideGuide();

    CRichEditorView& m_editor;
    RulerMarkers m_markers;
    int m_origin = 0; // ruler x of the text's left edge with the editor unscrolled
    int m_scroll = 0; // the editor's horizontal scroll position
    QPointer<QWidget> m_guide;
};
