// ChartComponent: the chart widget the pages drive through numbered properties.
#pragma once

#include "chart/ChartCells.h"
#include "chart/ChartData.h"
#include "chart/ChartPropertyStore.h"
#include "chart/ChartRenderer.h"
#include "chart/RubberBand.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class QPrinter;

// Results of the picture operations.
enum class PictureResult {
    Done,
    BadSize,     // a side ≤ 0 or above kMaxPictureSide
    WriteFailed, // the file could not be written
    NoClipboard, // no clipboard on this platform
};
inline constexpr int kMaxPictureSide = 20000;

enum class SettingsImport {
    Imported,
    Empty,   // nothing to import; nothing changed
    Refused, // malformed, truncated or of another version; nothing changed
};

// Direction of PixelToGraph.
enum class PixelDirection { ToValue, ToPixel };

class ChartComponent : public QWidget, public CChartCells {
    Q_OBJECT
public:
    explicit ChartComponent(QWidget* parent = nullptr);
    ~ChartComponent() override;

    // Every property back to its default; the data go too.
    void ResetProperties();

    void SetInt(int property, std::int32_t value);
    [[nodiscard]] std::int32_t GetInt(int property) const;
    void SetVector(int property, std::span<const double> items);
    void SetVector(int property, std::span<const float> items);
    void SetVector(int property, std::span<const std::int32_t> items);
    // TAB-separated items; each item is followed by a TAB.
    void SetVector(int property, std::string_view tabSeparated);
    // x (2135) or y (2140) handed over subset by subset at their own lengths, instead of one
    // subset-major array padded to the longest subset: what the padded array would hold costs
    // only the subsets' own points. Reads (GetVector, GetDataCell) still see the padded array:
    // PointsPerSubset entries per subset, x padded with 0 and y with the missing value (3268).
    void SetSubsetVector(int property, std::vector<std::vector<float>> subsets);
    // Copies the items (converted to the destination's type) into dest, which must hold
    // GetVector(property, nullptr) items; returns the count.
    std::size_t GetVector(int property, double* dest) const;
    std::size_t GetVector(int property, float* dest) const;
    std::size_t GetVector(int property, std::int32_t* dest) const;
    [[nodiscard]] std::size_t GetVector(int property, std::nullptr_t) const;
    void SetVectorCell(int property, int index, double value);
    void SetVectorCell(int property, int index, std::int32_t value);
    void SetVectorCell(int property, int index, const std::string& text);
    // The cell (subset, point) of a subset-major data property (x 2135, y 2140).
    [[nodiscard]] bool GetDataCell(int property, int subset, int point, float& value) const;
    void SetText(int property, const std::string& text);
    [[nodiscard]] std::string GetText(int property) const;

    // Applies what was set: data indexes, the shown window (written back into the window
    // properties), the cursor kept inside the data, the plotting rectangle property.
    void Reinitialize();
    // Drops the drawn image so the next paint draws anew (the size arguments are unused).
    void ResetImage(int width = 0, int height = 0);

    // Converts between client pixels and data values of the plot (axis always 0). Returns
    // whether the point lies inside the plotting area.
    bool PixelToGraph(int& px, int& py, double& x, double& y, PixelDirection direction) const;

    // "Graph Settings": edits titles, fonts, subset colours and styles, colours and grid;
    // notifies SettingsChanged on OK.
    void ShowCustomizeDialog();
    // Opens the print dialog and prints; false when cancelled or failed.
    bool PrintGraph();
    // Draws the chart on printer, fitted to its page with the window's proportions.
    bool PrintTo(QPrinter& printer) const;

    PictureResult CopyBitmap(QSize size);
    PictureResult CopyMetafile(QSize size); // SVG
    PictureResult CopyJpeg(QSize size);
    PictureResult SaveBitmapFile(QSize size, const QString& path);
    PictureResult SaveMetafileFile(QSize size, const QString& path); // SVG
    PictureResult SaveJpegFile(QSize size, const QString& path);
    PictureResult SavePngFile(QSize size, const QString& path);
    PictureResult SavePdfFile(QSize size, const QString& path);
    // The chart drawn at size (device pixels), or a null image for a refused size.
    [[nodiscard]] QImage RenderImage(QSize size) const;

    // Every property but the bulk x and y data.
    [[nodiscard]] std::vector<std::uint8_t> ExportSettings() const;
    [[nodiscard]] SettingsImport ImportSettings(std::span<const std::uint8_t> block);

    // CChartCells: annotation cells written by the records.
    void SetCellDouble(int property, int index, double value) override;
    void SetCellInt(int property, int index, std::int32_t value) override;
    void SetCellText(int property, int index, const std::string& text) override;

    // The one drawing path for screen, print and pictures.
    void paint(QPainter& painter, const QRect& rect) const;
    // Draw every point instead of the per-column reduction (for reference drawings).
    void SetFullResolution(bool full) { m_renderer.SetFullResolution(full); }

    [[nodiscard]] const CChartPropertyStore& Store() const { return m_store; }
    // Whether a drag (the left button held since a press in the plot) is in progress.
    [[nodiscard]] bool IsDragging() const { return m_band.Active(); }
    // Where the mouse last moved over the chart (client coordinates).
    [[nodiscard]] QPointF MousePosition() const { return m_mouse; }
    [[nodiscard]] CPlotTransform ScreenTransform() const;

Q_SIGNALS:
    // A notification code (chart::Notification).
    void notify(int code);
    // The right button went down at globalPos (screen coordinates).
    void contextMenuRequested(QPoint globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    [[nodiscard]] const CChartData& Data() const;
    [[nodiscard]] ChartLayout ScreenLayout() const;
    void Changed();
    // A window property set by the holder is a chosen window, no longer the automatic one.
    void WindowChosen(int property);
    void PaintFloatingCursor(QPainter& painter) const;
    void Redraw(bool now);

    CChartPropertyStore m_store;
    mutable CChartData m_data;
    CChartRenderer m_renderer;
    CRubberBand m_band;
    QImage m_cache;
    std::uint64_t m_cacheGeneration = 0;
    QPointF m_mouse{-1, -1};
    bool m_mouseInside = false;
};
