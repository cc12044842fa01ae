#include "chart/ChartComponent.h"

#include "chart/ChartCustomizeDialog.h"
#include "chart/ChartPictures.h"
#include "chart/ChartPropertyIds.h"
#include "chart/ChartSettingsCodec.h"
#include "chart/CursorController.h"
#include "chart/ZoomController.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include <algorithm>
#include <array>
#include <cmath>

namespace {
template <typename T>
std::size_t CopyOut(const CChartPropertyStore& store, int id, T* dest) {
    const std::size_t n = store.Count(id);
    if (dest == nullptr)
        return n;
    for (std::size_t i = 0; i < n; ++i) {
        if constexpr (std::is_same_v<T, std::int32_t>)
            dest[i] = store.IntAt(id, i);
        else
            dest[i] = static_cast<T>(store.DoubleAt(id, i));
    }
    return n;
}

// The layout device for the screen: an image like the paint cache, so that the layout used
// for hit tests is the one painted.
QImage LayoutDevice(double dpr) {
    QImage device(1, 1, QImage::Format_ARGB32_Premultiplied);
    device.setDevicePixelRatio(dpr);
    return device;
}
} // namespace

ChartComponent::ChartComponent(QWidget* parent) : QWidget(parent), m_renderer(m_store, m_data) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(120, 90);
}

ChartComponent::~ChartComponent() = default;

const CChartData& ChartComponent::Data() const {
    m_data.Update(m_store);
    return m_data;
}

void ChartComponent::Changed() {
    update();
}

void ChartComponent::ResetProperties() {
    m_store.Reset();
    m_band.End();
    Changed();
}

void ChartComponent::SetInt(int property, std::int32_t value) {
    m_store.SetInt(property, value);
    Changed();
}

std::int32_t ChartComponent::GetInt(int property) const {
    return m_store.GetInt(property);
}

void ChartComponent::WindowChosen(int property) {
    int axis = 0;
    if (property == chart::kZoomMinX || property == chart::kZoomMaxX)
        axis = chart::kAutoWindowX;
    else if (property == chart::kZoomMinY || property == chart::kZoomMaxY)
        axis = chart::kAutoWindowY;
    const int automatic = m_store.GetInt(chart::kAutoWindow);
    if ((automatic & axis) != 0)
        m_store.SetInt(chart::kAutoWindow, automatic & ~axis);
}

void ChartComponent::SetVector(int property, std::span<const double> items) {
    m_store.SetDoubles(property, items);
    WindowChosen(property);
    Changed();
}

void ChartComponent::SetVector(int property, std::span<const float> items) {
    m_store.SetFloats(property, items);
    WindowChosen(property);
    Changed();
}

void ChartComponent::SetVector(int property, std::span<const std::int32_t> items) {
    m_store.SetInts(property, items);
    WindowChosen(property);
    Changed();
}

void ChartComponent::SetSubsetVector(int property, std::vector<std::vector<float>> subsets) {
    m_store.SetSubsetFloats(property, std::move(subsets));
    Changed();
}

void ChartComponent::SetVector(int property, std::string_view tabSeparated) {
    m_store.SetTabText(property, tabSeparated);
    Changed();
}

std::size_t ChartComponent::GetVector(int property, double* dest) const {
    return CopyOut(m_store, property, dest);
}

std::size_t ChartComponent::GetVector(int property, float* dest) const {
    return CopyOut(m_store, property, dest);
}

std::size_t ChartComponent::GetVector(int property, std::int32_t* dest) const {
    return CopyOut(m_store, property, dest);
}

std::size_t ChartComponent::GetVector(int property, std::nullptr_t) const {
    return m_store.Count(property);
}

void ChartComponent::SetVectorCell(int property, int index, double value) {
    m_store.SetCellDouble(property, index, value);
    Changed();
}

void ChartComponent::SetVectorCell(int property, int index, std::int32_t value) {
    m_store.SetCellInt(property, index, value);
    Changed();
}

void ChartComponent::SetVectorCell(int property, int index, const std::string& text) {
    m_store.SetCellText(property, index, text);
    Changed();
}

void ChartComponent::SetCellDouble(int property, int index, double value) {
    SetVectorCell(property, index, value);
}

void ChartComponent::SetCellInt(int property, int index, std::int32_t value) {
    SetVectorCell(property, index, value);
}

void ChartComponent::SetCellText(int property, int index, const std::string& text) {
    SetVectorCell(property, index, text);
}

bool ChartComponent::GetDataCell(int property, int subset, int point, float& value) const {
    const int points = m_store.GetInt(chart::kPointsPerSubset);
    if (subset < 0 || point < 0 || point >= points)
        return false;
    const std::size_t index = static_cast<std::size_t>(subset) * static_cast<std::size_t>(points) +
                              static_cast<std::size_t>(point);
    if (index >= m_store.Count(property))
        return false;
    value = static_cast<float>(m_store.DoubleAt(property, index));
    return true;
}

void ChartComponent::SetText(int property, const std::string& text) {
    m_store.SetText(property, text);
    Changed();
}

std::string ChartComponent::GetText(int property) const {
    return m_store.GetText(property);
}

void ChartComponent::Reinitialize() {
    const CChartData& data = Data();
    CZoomController::StoreShownWindow(m_store, data);
    CCursorController::Clamp(m_store, data);
    const QRectF plot = ScreenLayout().plot;
    const std::array<std::int32_t, 4> rect = {
        static_cast<std::int32_t>(plot.left()), static_cast<std::int32_t>(plot.top()),
        static_cast<std::int32_t>(plot.right()), static_cast<std::int32_t>(plot.bottom())};
    m_store.SetInts(chart::kPlotRect, rect);
    Changed();
}

void ChartComponent::ResetImage(int /*width*/, int /*height*/) {
    m_cacheGeneration = 0;
    Changed();
}

ChartLayout ChartComponent::ScreenLayout() const {
    static_cast<void>(Data());
    const QImage device = LayoutDevice(devicePixelRatioF());
    return m_renderer.Layout(rect(), &device);
}

CPlotTransform ChartComponent::ScreenTransform() const {
    return ScreenLayout().Transform();
}

bool ChartComponent::PixelToGraph(int& px, int& py, double& x, double& y,
                                  PixelDirection direction) const {
    const CPlotTransform t = ScreenTransform();
    if (direction == PixelDirection::ToValue) {
        const QPointF v = t.ToValue(QPointF(px, py));
        x = v.x();
        y = v.y();
        return t.Inside(QPointF(px, py));
    }
    const QPointF p = t.ToPixel(x, y);
    if (!std::isfinite(p.x()) || !std::isfinite(p.y()))
        return false;
    px = static_cast<int>(std::lround(std::clamp(p.x(), -1e9, 1e9)));
    py = static_cast<int>(std::lround(std::clamp(p.y(), -1e9, 1e9)));
    return t.Inside(QPointF(px, py));
}

void ChartComponent::paint(QPainter& painter, const QRect& rect) const {
    static_cast<void>(Data());
    m_renderer.paint(painter, rect);
}

std::vector<std::uint8_t> ChartComponent::ExportSettings() const {
    return chart::EncodeSettings(m_store);
}

SettingsImport ChartComponent::ImportSettings(std::span<const std::uint8_t> block) {
    if (block.empty())
        return SettingsImport::Empty;
    auto values = chart::DecodeSettings(block);
    if (!values)
        return SettingsImport::Refused;
    static constexpr std::array<int, 2> kBulk = {chart::kXData, chart::kYData};
    m_store.ReplaceAllExcept(std::move(*values), kBulk);
    Changed();
    return SettingsImport::Imported;
}

void ChartComponent::ShowCustomizeDialog() {
    CChartCustomizeDialog dialog(m_store, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    dialog.Apply(m_store);
    Reinitialize();
    Q_EMIT notify(chart::kNotifySettingsChanged);
}

bool ChartComponent::PrintGraph() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(tr("Print Graph"));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    return PrintTo(printer);
}

bool ChartComponent::PrintTo(QPrinter& printer) const {
    return chart::PrintFitted(printer, size(),
                              [this](QPainter& p, const QRect& r) { paint(p, r); });
}

QImage ChartComponent::RenderImage(QSize size) const {
    return chart::RenderImage(size, [this](QPainter& p, const QRect& r) { paint(p, r); });
}

PictureResult ChartComponent::CopyBitmap(QSize size) {
    return chart::CopyPicture(size, chart::ClipboardExtra::None,
                              [this](QPainter& p, const QRect& r) { paint(p, r); });
}

PictureResult ChartComponent::CopyMetafile(QSize size) {
    return chart::CopyPicture(size, chart::ClipboardExtra::Svg,
                              [this](QPainter& p, const QRect& r) { paint(p, r); });
}

PictureResult ChartComponent::CopyJpeg(QSize size) {
    return chart::CopyPicture(size, chart::ClipboardExtra::Jpeg,
                              [this](QPainter& p, const QRect& r) { paint(p, r); });
}

PictureResult ChartComponent::SaveBitmapFile(QSize size, const QString& path) {
    return chart::SaveImage(size, path, "BMP",
                            [this](QPainter& p, const QRect& r) { paint(p, r); });
}

PictureResult ChartComponent::SaveJpegFile(QSize size, const QString& path) {
    return chart::SaveImage(size, path, "JPEG",
                            [this](QPainter& p, const QRect& r) { paint(p, r); });
}

PictureResult ChartComponent::SavePngFile(QSize size, const QString& path) {
    return chart::SaveImage(size, path, "PNG",
                            [this](QPainter& p, const QRect& r) { paint(p, r); });
}

PictureResult ChartComponent::SaveMetafileFile(QSize size, const QString& path) {
    return chart::SaveSvg(size, path, [this](QPainter& p, const QRect& r) { paint(p, r); });
}

PictureResult ChartComponent::SavePdfFile(QSize size, const QString& path) {
    return chart::SavePdf(size, path, [this](QPainter& p, const QRect& r) { paint(p, r); });
}

// ---- screen and input ----

void ChartComponent::paintEvent(QPaintEvent* /*event*/) {
    const double dpr = devicePixelRatioF();
    const QSize pixels(static_cast<int>(std::lround(width() * dpr)),
                       static_cast<int>(std::lround(height() * dpr)));
    if (m_cache.size() != pixels || m_cache.devicePixelRatio() != dpr ||
        m_cacheGeneration != m_store.Generation()) {
        m_cache = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
        m_cache.setDevicePixelRatio(dpr);
        QPainter cachePainter(&m_cache);
        paint(cachePainter, rect());
        m_cacheGeneration = m_store.Generation();
    }
    QPainter painter(this);
    painter.drawImage(0, 0, m_cache);
    PaintFloatingCursor(painter);
    m_band.Paint(painter);
    if (hasFocus()) {
        painter.setPen(QPen(palette().highlight().color(), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void ChartComponent::PaintFloatingCursor(QPainter& painter) const {
    const int mode = m_store.GetInt(chart::kCursorMode);
    if (!m_mouseInside || (mode != chart::kCursorFloatingY && mode != chart::kCursorFloatingXY))
        return;
    const QRectF plot = ScreenLayout().plot;
    if (!plot.contains(m_mouse))
        return;
    painter.save();
    painter.setPen(QPen(QColor(60, 60, 60), 1, Qt::DashLine));
    painter.drawLine(QPointF(plot.left(), m_mouse.y()), QPointF(plot.right(), m_mouse.y()));
    if (mode == chart::kCursorFloatingXY)
        painter.drawLine(QPointF(m_mouse.x(), plot.top()), QPointF(m_mouse.x(), plot.bottom()));
    painter.restore();
}

void ChartComponent::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_band.End();
}

void ChartComponent::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        Q_EMIT contextMenuRequested(event->globalPosition().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    setFocus(Qt::MouseFocusReason);
    // A press without a move before it (a touch, a synthetic click) still reports its point.
    m_mouse = event->position();
    const ChartLayout layout = ScreenLayout();
    if (!layout.plot.contains(event->position()))
        return;
    CRubberBand::Shape shape = CRubberBand::Shape::XBand;
    if (m_store.GetInt(chart::kDragAsLine) != 0)
        shape = CRubberBand::Shape::Line;
    else if (m_store.GetInt(chart::kZoomStyle) == 3)
        shape = CRubberBand::Shape::Rectangle;
    m_band.Begin(event->position(), layout.plot, shape);
    Q_EMIT notify(chart::kNotifyDragStarted);
}

void ChartComponent::mouseMoveEvent(QMouseEvent* event) {
    m_mouse = event->position();
    m_mouseInside = true;
    if (m_band.Active()) {
        m_band.Move(event->position());
        update();
        if (m_store.GetInt(chart::kMoveDuringDrag) != 0)
            Q_EMIT notify(chart::kNotifyMouseMoved);
        return;
    }
    const int mode = m_store.GetInt(chart::kCursorMode);
    if (mode == chart::kCursorFloatingY || mode == chart::kCursorFloatingXY)
        update();
    Q_EMIT notify(chart::kNotifyMouseMoved);
}

void ChartComponent::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_band.Active())
        return;
    m_band.Move(event->position());
    m_band.End();
    update();
    const bool dragged = m_band.Dragged();
    if (m_store.GetInt(chart::kZoomOnDrag) == 0) {
        // The drag selects without zooming (measurement): the holder always hears the end.
        Q_EMIT notify(chart::kNotifyDragFinished);
        if (m_band.GetShape() == CRubberBand::Shape::Line)
            Q_EMIT notify(chart::kNotifyMarkersRedraw);
        return;
    }
    if (dragged) {
        CZoomController::ZoomTo(m_store, ScreenTransform(), m_band.Area(),
                                m_band.GetShape() == CRubberBand::Shape::Rectangle);
        Reinitialize();
        Q_EMIT notify(chart::kNotifyDragFinished);
    } else if (m_store.GetInt(chart::kClickPlacesCursor) != 0) {
        if (CCursorController::PlaceAt(m_store, Data(), ScreenTransform(), event->position())) {
            Changed();
            Q_EMIT notify(chart::kNotifyCursorMoved);
        }
    }
}

void ChartComponent::Redraw(bool now) {
    if (now)
        repaint();
    else
        update();
}

void ChartComponent::keyPressEvent(QKeyEvent* event) {
    const bool now = m_store.GetInt(chart::kKeyRedraw) == 1;
    if (event->key() == Qt::Key_Z) {
        CZoomController::FullView(m_store);
        Reinitialize();
        Redraw(now);
        return;
    }
    if (event->key() == Qt::Key_Plus || event->key() == Qt::Key_Equal) {
        // The keyboard's zoom box: the middle half of the plot, as if dragged there.
        if (m_store.GetInt(chart::kZoomOnDrag) != 0 && m_store.GetInt(chart::kDragAsLine) == 0) {
            const QRectF plot = ScreenLayout().plot;
            const QRectF middle = plot.adjusted(plot.width() / 4, plot.height() / 4,
                                                -plot.width() / 4, -plot.height() / 4);
            CZoomController::ZoomTo(m_store, ScreenTransform(), middle,
                                    m_store.GetInt(chart::kZoomStyle) == 3);
            Reinitialize();
            Redraw(now);
            Q_EMIT notify(chart::kNotifyDragFinished);
        }
        return;
    }
    if (CCursorController::HandleKey(m_store, Data(), ScreenTransform(), event->key())) {
        Redraw(now);
        Q_EMIT notify(chart::kNotifyCursorMoved);
        return;
    }
    QWidget::keyPressEvent(event);
}

void ChartComponent::contextMenuEvent(QContextMenuEvent* event) {
    // The mouse's right button is reported on press; this is the keyboard's menu request.
    if (event->reason() != QContextMenuEvent::Mouse)
        Q_EMIT notify(chart::kNotifyContextRequest);
}

void ChartComponent::leaveEvent(QEvent* event) {
    m_mouseInside = false;
    update();
    QWidget::leaveEvent(event);
}
