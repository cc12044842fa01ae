// CDataViewTrack: the measurement pane — two graph points, their differences, the user's two
// calculations, the red crosses over the chart and the summary for the clipboard or the comments.
#pragma once

#include "calc/Measurement.h"
#include "pages/DataView.h"
#include "pages/MeasurementTool.h"

#include <QPoint>
#include <QRect>

#include <functional>
#include <optional>
#include <string>

class QGridLayout;
class QLabel;
class QLineEdit;
class QPainter;
class QPushButton;

// Points are in the graph's time-axis unit (time) and the display unit (altitude). As the Graph
// page's measurement tool the pane reads them from the chart under the mouse; the overloads
// taking points and a pixel mapping do the work and need no chart. It attaches to the project
// document with CDocument::AddView and shows the document's user calculations. Refresh
// recomputes everything from From, To and the document.
class CDataViewTrack : public CDataView, public CMeasurementTool {
    Q_OBJECT
    KUBO_DECLARE_DYNAMIC(CDataViewTrack)
public:
    explicit CDataViewTrack(QWidget* parent = nullptr);

    // The graph's time divisor: 1 when its axis is in seconds, 60 in minutes. Unset: 1.
    void SetTimeDivisorSource(std::function<int()> source);
    // Where "Copy to Info" sends the summary (the session comments of the Information page);
    // it answers false when nothing could take the text, which the pane then tells the user.
    // Unset, that button is disabled.
    using InfoSink = std::function<bool(const std::string&)>;
    void SetInfoSink(InfoSink sink);

    // A drag started: From and To both become point. Refreshes.
    void SetFromPoint(const MeasurementPoint& point) override;
    // The drag goes on: To becomes point. Refreshes.
    void SetToPoint(const MeasurementPoint& point) override;
    // The time axis changed unit: both times are multiplied by factor. Refreshes.
    void ScaleTimes(double factor) override;

    // CMeasurementTool: the point under the mouse, held inside the plotting area as the
    // chart's drag line is, so that the numbers are those of the line's ends.
    void SetFromPoint(CPESciEx& chart) override;
    void SetToPoint(CPESciEx& chart) override;
    // The crosses over the chart's client area, inside its current plotting area.
    void DrawMarkers(CPESciEx& chart, QPainter& painter) override;

    [[nodiscard]] const MeasurementPoint& GetFrom() const { return m_from; }
    [[nodiscard]] const MeasurementPoint& GetTo() const { return m_to; }

    // Maps a point to chart pixels; nullopt when the chart cannot.
    using PixelMapping = std::function<std::optional<QPoint>(const MeasurementPoint&)>;
    // Draws a red cross, 2 pixels wide, over From and then To, each only when its pixel lies
    // inside both client and plot. The painter's state is kept.
    void DrawMarkers(QPainter& painter, const PixelMapping& toPixel, const QRect& client,
                     const QRect& plot) const;

    // The texts from From, To, the time divisor and the document, written into the controls.
    void Refresh();
    // The summary the copy buttons hand on, from the texts of the last refresh.
    [[nodiscard]] std::string BuildSummary() const;

    // "..." beside calculation index (1 or 2): the user formula dialog on the document's
    // formula and title with the user's recently used list; OK stores them in the document (a
    // change marks it modified), writes the list back and, with "Save as default", the
    // registry defaults. The pane is refreshed at the next point.
    void DefineUserFormula(int index);
    void CopyToClipboard();
    void CopyToInfo();
    // Asks whoever shows the pane to remove it (closeRequested).
    void Close();

    // HINT_CLEAR closes the pane; other hints are ignored.
    void OnUpdate(CView* pSender, long lHint, CObject* pHint) override;

Q_SIGNALS:
    void closeRequested();

private:
    QLineEdit* AddReadOnlyEdit(int id);
    static void NameByHeadings(QGridLayout& grid, int row, int column);

    MeasurementPoint m_from;
    MeasurementPoint m_to;
    MeasurementTexts m_texts;
    std::function<int()> m_timeDivisor;
    InfoSink m_infoSink;

    QLineEdit* m_pFromTime;
    QLineEdit* m_pFromAltitude;
    QLineEdit* m_pToTime;
    QLineEdit* m_pToAltitude;
    QLineEdit* m_pDeltaTime;
    QLineEdit* m_pDeltaAltitude;
    QLabel* m_pLabel[2];
    QLineEdit* m_pResult[2];
    QPushButton* m_pCopyInfo;
};
