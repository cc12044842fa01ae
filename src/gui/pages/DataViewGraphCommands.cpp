// CDataViewGraph: the commands, the chart's notifications, zoom, cursors, measurement mode, the
// time unit and pictures.
#include "calc/Measurement.h"
#include "calc/TextHelpers.h"
#include "data/DataBlock.h"
#include "framework/CommandIds.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"
#include "framework/UiServices.h"
#include "pages/DataViewGraph.h"
#include "pages/GraphPicture.h"
#include "pages/MeasurementTool.h"
#include "pages/PESciEx.h"
#include "pages/SaveGraphImageDlg.h"
#include "shell/MainDoc.h"

#include <QApplication>
#include <QCheckBox>
#include <QCursor>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>

#include <array>

namespace {

void SendKey(QWidget& widget, Qt::Key key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(&widget, &press);
}

constexpr int kZoomStyleXY = 3;

// The file dialog of each format of the picture dialog, in its order.
struct PictureFile {
    const char* filter;
    const char* extension;
    GraphPictureFormat format;
};
constexpr std::array<PictureFile, CSaveGraphImageDlg::kFormatCount> kPictureFiles = {{
    {KUBO_TRANSLATE_NOOP("FilePrompt", "Bitmap Files (*.bmp)"), ".bmp", GraphPictureFormat::Bitmap},
    {KUBO_TRANSLATE_NOOP("FilePrompt", "Windows Metafiles (*.wmf)"), ".wmf",
     GraphPictureFormat::Metafile},
    {KUBO_TRANSLATE_NOOP("FilePrompt", "JPEG Files (*.jpg)"), ".jpg", GraphPictureFormat::Jpeg},
    {KUBO_TRANSLATE_NOOP("FilePrompt", "PNG Files (*.png)"), ".png", GraphPictureFormat::Png},
    {KUBO_TRANSLATE_NOOP("FilePrompt", "SVG Files (*.svg)"), ".svg", GraphPictureFormat::Svg},
    {KUBO_TRANSLATE_NOOP("FilePrompt", "PDF Files (*.pdf)"), ".pdf", GraphPictureFormat::Pdf},
}};
} // namespace

bool CDataViewGraph::OnCmdMsg(unsigned nID, CCmdUI* pCmdUI) {
    using Self = CDataViewGraph;
    static const CommandEntry<Self> map[] = {
        {cmd::GraphSavePicture, cmd::GraphSavePicture, &Self::OnGraphSavePicture,
         &Self::OnUpdateVisible},
        {cmd::GraphCopyPicture, cmd::GraphCopyPicture, &Self::OnGraphCopyPicture,
         &Self::OnUpdateVisible},
        {cmd::EditCopy, cmd::EditCopy, &Self::OnGraphCopyPicture, &Self::OnUpdateVisible},
        {cmd::GraphSettings, cmd::GraphSettings, &Self::OnGraphSettings, &Self::OnUpdateVisible},
        {cmd::ZoomHorizontal, cmd::ZoomBoth, &Self::OnZoomStyle, &Self::OnUpdateZoomStyle},
        {cmd::ZoomOut, cmd::ZoomOut, &Self::OnZoomOut, &Self::OnUpdateZoomOut},
        {cmd::ZoomAll, cmd::ZoomAll, &Self::OnZoomAll, &Self::OnUpdateVisible},
        {cmd::CursorNone, cmd::CursorFloatingXY, &Self::OnCursorMode, &Self::OnUpdateCursorMode},
        {cmd::CursorNextSubset, cmd::CursorNextSubset, &Self::OnNextSubset, &Self::OnUpdateVisible},
        {cmd::MeasurementMode, cmd::MeasurementMode, &Self::OnMeasurementMode,
         &Self::OnUpdateMeasurementMode},
        {cmd::GraphApplyOffsets, cmd::GraphApplyOffsets, &Self::OnApplyOffsets,
         &Self::OnUpdateApplyOffsets},
        {cmd::FilePrint, cmd::FilePrint, &Self::OnFilePrint, nullptr},
        {cmd::FilePrintSetup, cmd::FilePrintSetup, nullptr, &Self::OnUpdateFilePrintSetup},
    };
    return RouteCommand(*this, map, nID, pCmdUI) || CDataView::OnCmdMsg(nID, pCmdUI);
}

void CDataViewGraph::OnUpdateVisible(CCmdUI& ui) {
    ui.Enable(IsChartVisible());
}

void CDataViewGraph::OnUpdateZoomStyle(CCmdUI& ui) {
    ui.Enable(IsChartVisible() && !m_bMeasuring);
    ui.SetCheck(static_cast<int>(ui.GetID() - cmd::ZoomHorizontal) == m_nZoomStyle ? 1 : 0);
}

void CDataViewGraph::OnUpdateZoomOut(CCmdUI& ui) {
    ui.Enable(m_zoomHistory.Level() > 0 && IsChartVisible());
}

void CDataViewGraph::OnUpdateCursorMode(CCmdUI& ui) {
    ui.Enable(IsChartVisible());
    ui.SetCheck(static_cast<int>(ui.GetID() - cmd::CursorNone) == m_nCursorMode ? 1 : 0);
}

void CDataViewGraph::OnUpdateMeasurementMode(CCmdUI& ui) {
    ui.Enable(true);
    ui.SetCheck(m_bMeasuring ? 1 : 0);
}

void CDataViewGraph::OnUpdateApplyOffsets(CCmdUI& ui) {
    ui.Enable(std::any_of(m_shown.begin(), m_shown.end(), [](CDataBlock* f) { return f; }));
}

void CDataViewGraph::OnUpdateFilePrintSetup(CCmdUI& ui) {
    ui.Enable(false);
}

void CDataViewGraph::OnGraphSavePicture(unsigned /*id*/) {
    ExportPicture();
}

void CDataViewGraph::OnGraphCopyPicture(unsigned /*id*/) {
    static_cast<void>(m_pChart->CopyBitmap(m_pChart->size()));
}

void CDataViewGraph::OnGraphSettings(unsigned /*id*/) {
    m_pChart->ShowCustomizeDialog();
}

void CDataViewGraph::OnZoomStyle(unsigned id) {
    m_nZoomStyle = static_cast<int>(id - cmd::ZoomHorizontal);
    m_pChart->SetInt(chart::kZoomStyle, m_nZoomStyle == 1 ? kZoomStyleXY : 1);
}

void CDataViewGraph::OnZoomOut(unsigned /*id*/) {
    const std::optional<CZoomHistory::Window> window = m_zoomHistory.StepBack();
    if (!window) {
        OnZoomAll(cmd::ZoomAll);
        return;
    }
    m_pChart->SetOne(chart::kZoomMinX, window->first);
    m_pChart->SetOne(chart::kZoomMaxX, window->second);
    const int style = m_pChart->GetInt(chart::kZoomStyle);
    m_pChart->SetInt(chart::kZoomStyle, 1);
    m_pChart->Reinitialize();
    m_pChart->ResetImage(0, 0);
    Repaint(false);
    m_pChart->SetInt(chart::kZoomStyle, style);
    m_pChart->SetInt(chart::kZoomedY, 0);
}

void CDataViewGraph::OnZoomAll(unsigned /*id*/) {
    m_zoomHistory.Clear();
    m_pChart->SetInt(chart::kKeyRedraw, 1);
    SendKey(*m_pChart, Qt::Key_Z);
}

void CDataViewGraph::OnCursorMode(unsigned id) {
    m_nCursorMode = static_cast<int>(id - cmd::CursorNone);
    m_pChart->SetInt(chart::kCursorMode, m_nCursorMode);
    m_pChart->Reinitialize();
    m_pChart->ResetImage(0, 0);
    Repaint(true);
    m_pChart->setFocus(Qt::OtherFocusReason);
}

void CDataViewGraph::OnNextSubset(unsigned /*id*/) {
    SendKey(*m_pChart, Qt::Key_Down);
}

void CDataViewGraph::OnMeasurementMode(unsigned /*id*/) {
    m_bMeasuring = !m_bMeasuring;
    ApplyInteractionMode();
    m_pChart->Reinitialize();
    m_pChart->ResetImage(0, 0);
    Repaint(true);
}

void CDataViewGraph::OnApplyOffsets(unsigned /*id*/) {
    ApplyOffsets();
}

void CDataViewGraph::OnFilePrint(unsigned /*id*/) {
    static_cast<void>(m_pChart->PrintGraph());
}

// --- Pictures ---

void CDataViewGraph::ExportPicture() {
    CMainDoc* doc = GetMainDoc();
    CUiServices* ui = doc ? doc->GetUi() : nullptr;
    CSaveGraphImageDlg dialog(ui, this);
    const int answer = m_services.runDialog ? m_services.runDialog(dialog) : dialog.exec();
    if (answer != QDialog::Accepted)
        return;
    const CSaveGraphImageDlg::Choices& choices = dialog.GetChoices();
    const QSize size = choices.sizeMode == CSaveGraphImageDlg::kSpecificSize
                           ? QSize(choices.width, choices.height)
                           : m_pChart->size();
    const auto format = static_cast<std::size_t>(choices.format);
    if (choices.destination == CSaveGraphImageDlg::kClipboard) {
        PictureResult result = PictureResult::Done;
        switch (choices.format) {
        case CSaveGraphImageDlg::kMetafile:
        case CSaveGraphImageDlg::kSvg:
            result = m_pChart->CopyMetafile(size);
            break;
        case CSaveGraphImageDlg::kJpeg:
            result = m_pChart->CopyJpeg(size);
            break;
        default:
            result = m_pChart->CopyBitmap(size);
            break;
        }
        if (result != PictureResult::Done && ui)
            ui->MessageBox(FormatString2(str::PictureNotWritten, tr("the clipboard").toStdString(),
                                         PictureFailureReason(result, QString())),
                           MsgButtons::Ok, MsgIcon::Error);
        return;
    }
    if (!ui || format >= kPictureFiles.size())
        return;
    const PictureFile& kind = kPictureFiles[format];
    FilePrompt prompt;
    prompt.defaultExtension = kind.extension;
    prompt.filters = {{kind.filter, std::string("*") + kind.extension}};
    prompt.mustExist = false;
    const std::optional<std::string> chosen = ui->PromptSaveFile(prompt, {});
    if (!chosen)
        return;
    const QString path = QString::fromStdString(*chosen);
    const PictureResult result = SaveGraphPicture(*m_pChart, kind.format, size, path);
    if (result != PictureResult::Done)
        ui->MessageBox(
            FormatString2(str::PictureNotWritten, *chosen, PictureFailureReason(result, path)),
            MsgButtons::Ok, MsgIcon::Error);
}

// --- The chart's notifications ---

void CDataViewGraph::OnChartNotify(int code) {
    switch (code) {
    case chart::kNotifyCursorMoved:
        OnCursorMoved();
        break;
    case chart::kNotifyDragStarted:
        OnDragStarted();
        break;
    case chart::kNotifyDragFinished:
        OnDragFinished();
        break;
    case chart::kNotifyContextRequest:
        if (!m_pChart->IsDragging() && !(QGuiApplication::mouseButtons() & Qt::LeftButton)) {
            // From the keyboard the mouse may be anywhere: then the menu opens mid-plot.
            QPoint at = QCursor::pos();
            if (!m_pChart->rect().contains(m_pChart->mapFromGlobal(at))) {
                int px = 0;
                int py = 0;
                const ChartWindow w = m_pChart->ScreenTransform().Window();
                double x = (w.xMin + w.xMax) / 2;
                double y = (w.yMin + w.yMax) / 2;
                static_cast<void>(m_pChart->PixelToGraph(px, py, x, y, PixelDirection::ToPixel));
                at = m_pChart->mapToGlobal(QPoint(px, py));
            }
            ShowContextMenu(at);
        }
        break;
    case chart::kNotifyMouseMoved:
        OnMouseMoved();
        break;
    case chart::kNotifyMarkersRedraw:
        m_pChart->SetMarkerFlag(true);
        Repaint(true);
        break;
    case chart::kNotifySettingsChanged:
        if (CMainDoc* doc = GetMainDoc())
            doc->SetModifiedFlag(true);
        break;
    default:
        break;
    }
}

std::string CDataViewGraph::PointText(double x, double y) const {
    const CMainDoc* doc = GetMainDoc();
    const std::string time = FormatSeconds(RoundTo(x * GetTimeDivisor(), 10));
    const double altitude = RoundTo(y, 10);
    const std::string height = doc ? doc->FormatAltitude(altitude) : std::to_string(altitude);
    return "[" + time + ", " + height + "]";
}

void CDataViewGraph::OnCursorMoved() {
    m_pCoordinates->clear();
    if (m_nCursorMode != chart::kCursorCrosshair && m_nCursorMode != chart::kCursorSquare)
        return;
    const int subset = m_pChart->GetInt(chart::kCursorSubset);
    const int point = m_pChart->GetInt(chart::kCursorPoint);
    float x = 0;
    float y = 0;
    if (!m_pChart->GetDataCell(chart::kXData, subset, point, x) ||
        !m_pChart->GetDataCell(chart::kYData, subset, point, y))
        return;
    std::string name;
    if (subset >= 0 && static_cast<std::size_t>(subset) < m_shown.size() &&
        m_shown[static_cast<std::size_t>(subset)])
        name = m_shown[static_cast<std::size_t>(subset)]->GetName();
    m_pCoordinates->setText(QString::fromStdString(PointText(x, y) + " " + name));
}

bool CDataViewGraph::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_pChart && m_bMeasuring && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            MeasureAtCursor();
            return true;
        }
    }
    return CDataView::eventFilter(watched, event);
}

void CDataViewGraph::MeasureAtCursor() {
    if (m_nCursorMode == chart::kCursorNone)
        return;
    float x = 0;
    float y = 0;
    const int subset = m_pChart->GetInt(chart::kCursorSubset);
    const int point = m_pChart->GetInt(chart::kCursorPoint);
    if (!m_pChart->GetDataCell(chart::kXData, subset, point, x) ||
        !m_pChart->GetDataCell(chart::kYData, subset, point, y))
        return;
    CMeasurementTool* tool = MeasurementTool(true);
    if (!tool)
        return;
    const MeasurementPoint at{x, y};
    if (m_bKeyboardTo)
        tool->SetToPoint(at);
    else
        tool->SetFromPoint(at);
    m_bKeyboardTo = !m_bKeyboardTo;
    m_pChart->SetMarkerFlag(true);
    Repaint(true);
}

void CDataViewGraph::OnMouseMoved() {
    const QPoint local = m_pChart->MousePosition().toPoint();
    int px = local.x();
    int py = local.y();
    double x = 0;
    double y = 0;
    static_cast<void>(m_pChart->PixelToGraph(px, py, x, y, PixelDirection::ToValue));
    m_pCoordinates->setText(QString::fromStdString(PointText(x, y)));
    if (m_bMeasuring && m_pChart->IsDragging())
        if (CMeasurementTool* tool = MeasurementTool(false))
            tool->SetToPoint(*m_pChart);
}

void CDataViewGraph::OnDragStarted() {
    if (!m_bMeasuring)
        return;
    m_bKeyboardTo = false;
    if (CMeasurementTool* tool = MeasurementTool(true))
        tool->SetFromPoint(*m_pChart);
    static_cast<void>(m_pChart->ExportState(m_measurementUndo));
    if (m_zoomHistory.Level() == 0) {
        m_pChart->SetInt(chart::kZoomedX, 0);
        m_pChart->SetInt(chart::kZoomedY, 0);
    }
}

void CDataViewGraph::OnDragFinished() {
    if (m_bMeasuring) {
        m_pChart->SetMarkerFlag(true);
        static_cast<void>(m_pChart->ImportState(m_measurementUndo));
        m_pChart->Reinitialize();
        m_pChart->ResetImage(0, 0);
        Repaint(true);
        return;
    }
    m_pChart->SetInt(chart::kZoomedY, m_pChart->GetInt(chart::kZoomStyle) == kZoomStyleXY ? 1 : 0);
    m_pChart->SetInt(chart::kZoomedX, 1);
    m_zoomHistory.Record({m_pChart->GetOne(chart::kZoomMinX), m_pChart->GetOne(chart::kZoomMaxX)});
}

// --- The time unit ---

void CDataViewGraph::OnTimeUnitClicked() {
    const double factor = m_pSeconds->isChecked() ? 60.0 : 1.0 / 60.0;
    // A window that follows the data needs no conversion; a chosen one keeps what it shows.
    if ((m_pChart->GetInt(chart::kAutoWindow) & chart::kAutoWindowX) == 0) {
        m_pChart->SetOne(chart::kZoomMinX, m_pChart->GetOne(chart::kZoomMinX) * factor);
        m_pChart->SetOne(chart::kZoomMaxX, m_pChart->GetOne(chart::kZoomMaxX) * factor);
    }
    // The recorded zooms are windows of the same axis: they change unit with it.
    m_zoomHistory.Scale(factor);
    if (CMeasurementTool* tool = MeasurementTool(false))
        tool->ScaleTimes(factor);
    RebuildChart();
    OnMeasurementMode(cmd::MeasurementMode);
    OnMeasurementMode(cmd::MeasurementMode);
}
