// CDataViewGraph: the page, its controls and layout, the hints and the chart's content.
#include "pages/DataViewGraph.h"

#include "chart/ChartPropertyIds.h"
#include "data/DataBlock.h"
#include "data/DataModule.h"
#include "framework/Hints.h"
#include "pages/MeasurementTool.h"
#include "pages/PESciEx.h"
#include "shell/MainDoc.h"

#include <QCheckBox>
#include <QFontInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSlider>
#include <QTimer>

#include <algorithm>

KUBO_IMPLEMENT_DYNAMIC(CDataViewGraph, CDataView)

namespace {
// The coordinate line's font: bold, 12/10 of the dialog font's height; one for the process.
const QFont& CoordinateFont(const QFont& dialogFont) {
    static const QFont font = [&dialogFont] {
        QFont bold(dialogFont);
        bold.setWeight(QFont::Bold);
        bold.setPixelSize(QFontInfo(dialogFont).pixelSize() * 12 / 10);
        return bold;
    }();
    return font;
}

template <typename W>
W* Named(W* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}
} // namespace

CDataViewGraph::CDataViewGraph(QWidget* parent) : CDataView(parent) {
    setObjectName(QStringLiteral("graphPage"));
    CreateControls();
    ConnectControls();
    m_pRebuildTimer = new QTimer(this);
    m_pRebuildTimer->setSingleShot(true);
    m_pRebuildTimer->setInterval(0);
    connect(m_pRebuildTimer, &QTimer::timeout, this, [this] {
        // A pending refresh runs first; its HINT_GRAPH_DATA then joins this rebuild.
        if (m_services.refreshPending && m_services.refreshPending())
            m_pRebuildTimer->start();
        else
            RebuildChart();
    });
    RefreshOffsetControls();
    RebuildChart();
}

CDataViewGraph::~CDataViewGraph() {
    if (CMainDoc* doc = GetMainDoc())
        doc->SetChartLink(nullptr);
}

void CDataViewGraph::CreateControls() {
    m_pCoordinates = Named(new QLabel(QStringLiteral("..."), this), "static1066");
    m_pCoordinates->setFont(CoordinateFont(font()));
    m_pCoordinates->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QSizePolicy keep = m_pCoordinates->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    keep.setHorizontalPolicy(QSizePolicy::Ignored);
    m_pCoordinates->setSizePolicy(keep);

    m_pChart = Named(new CPESciEx(this), "chart1007");
    m_pChart->installEventFilter(this);
    m_pNoData = Named(new QLabel(tr("No data in graph"), this), "static1010");
    m_pAltitudeSlider = Named(new QSlider(Qt::Vertical, this), "slider1044");
    m_pTimeSlider = Named(new QSlider(Qt::Horizontal, this), "slider1042");
    m_pSeconds = Named(new QCheckBox(tr("sec"), this), "check1067");
    m_pSeconds->setToolTip(tr("Time axis in seconds"));
    m_pOffsets = Named(new QCheckBox(tr("offsets:"), this), "check1049");
    m_pOffsets->setToolTip(tr("Offsets of the selected flight"));
    m_pTimeEdit = Named(new QLineEdit(this), "edit1043");
    m_pTimeEdit->setToolTip(tr("Time offset"));
    m_pTimeUnit = Named(new QLabel(tr("sec"), this), "static1047");
    m_pAltitudeEdit = Named(new QLineEdit(this), "edit1045");
    m_pAltitudeEdit->setToolTip(tr("Altitude offset"));
    m_pAltitudeUnit = Named(new QLabel(QStringLiteral("m"), this), "static1048");
    m_pTimeUnit->setBuddy(m_pTimeEdit);
    m_pChart->setAccessibleName(tr("Graph of the shown flights"));
    m_pTimeEdit->setAccessibleName(m_pTimeEdit->toolTip());
    m_pTimeSlider->setAccessibleName(m_pTimeEdit->toolTip());
    m_pAltitudeEdit->setAccessibleName(m_pAltitudeEdit->toolTip());
    m_pAltitudeSlider->setAccessibleName(m_pAltitudeEdit->toolTip());
    const int editWidth = fontMetrics().horizontalAdvance(QStringLiteral("-00000.0")) + 12;
    m_pTimeEdit->setFixedWidth(editWidth);
    m_pAltitudeEdit->setFixedWidth(editWidth);

    // The coordinate line and the chart above, the altitude slider at their right; the time
    // slider and the offset controls below. The chart takes whatever the window gives.
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setSpacing(3);
    grid->addWidget(m_pCoordinates, 0, 0, 1, 7);
    grid->addWidget(m_pChart, 1, 0, 1, 7);
    grid->addWidget(m_pNoData, 1, 0, 1, 7, Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(m_pAltitudeSlider, 0, 7, 2, 1);
    grid->addWidget(m_pSeconds, 2, 0);
    grid->addWidget(m_pTimeSlider, 2, 1);
    grid->addWidget(m_pOffsets, 2, 2);
    grid->addWidget(m_pTimeEdit, 2, 3);
    grid->addWidget(m_pTimeUnit, 2, 4);
    grid->addWidget(m_pAltitudeEdit, 2, 5);
    grid->addWidget(m_pAltitudeUnit, 2, 6);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(1, 1);
}

void CDataViewGraph::SetServices(Services services) {
    m_services = std::move(services);
    m_pChart->SetMarkerPainter([this](QPainter& painter) {
        if (CMeasurementTool* tool = MeasurementTool(false))
            tool->DrawMarkers(*m_pChart, painter);
    });
}

bool CDataViewGraph::ResourceLibrary() const {
    return m_services.resourceLibrary && m_services.resourceLibrary();
}

CMeasurementTool* CDataViewGraph::MeasurementTool(bool create) const {
    return m_services.measurementTool ? m_services.measurementTool(create) : nullptr;
}

int CDataViewGraph::GetTimeDivisor() const {
    return m_pSeconds->isChecked() ? 1 : 60;
}

bool CDataViewGraph::IsChartVisible() const {
    return !m_pChart->isHidden();
}

GraphChartOptions CDataViewGraph::ChartOptions() const {
    GraphChartOptions options;
    options.timeDivisor = GetTimeDivisor();
    options.cursorMode = m_nCursorMode;
    options.zoomStyle = m_nZoomStyle;
    options.measuring = m_bMeasuring;
    const CMainDoc* doc = GetMainDoc();
    options.feet = doc && doc->GetShowFeet() != 0;
    return options;
}

void CDataViewGraph::Repaint(bool /*erase*/) {
    m_pChart->update();
}

// --- Document ---

void CDataViewGraph::OnUpdate(CView* /*pSender*/, long lHint, CObject* pHint) {
    switch (lHint) {
    case HINT_REBUILD:
    case HINT_GRAPH_DATA:
        ScheduleRebuild();
        break;
    case HINT_CLEAR:
        m_pCurrentFlight = nullptr;
        RefreshOffsetControls();
        ResetChart();
        break;
    case HINT_SETTINGS:
        RefreshOffsetControls();
        ScheduleRebuild();
        break;
    case HINT_SAVE:
        // What is typed in the offset edits belongs to what is saved.
        if (m_pCurrentFlight)
            CommitOffsets(false);
        break;
    case HINT_FLIGHT_REMOVING:
        if (auto* flight = DynamicDowncast<CDataBlock>(pHint)) {
            ForgetFlight(flight);
            ScheduleRebuild();
        }
        break;
    case HINT_SESSION_REMOVING:
        // Its flights go with it, unannounced one by one.
        if (auto* session = DynamicDowncast<CDataModule>(pHint)) {
            ForgetSession(session);
            ScheduleRebuild();
        }
        break;
    case HINT_SELECTION:
        m_pCurrentFlight = DynamicDowncast<CDataBlock>(pHint);
        RefreshOffsetControls();
        break;
    default:
        break;
    }
}

void CDataViewGraph::ForgetFlight(const CDataBlock* flight) {
    if (m_pCurrentFlight == flight) {
        m_pCurrentFlight = nullptr;
        RefreshOffsetControls();
    }
    // The subsets keep their positions until the rebuild; the flight is no longer reachable.
    std::replace(m_shown.begin(), m_shown.end(), const_cast<CDataBlock*>(flight),
                 static_cast<CDataBlock*>(nullptr));
    m_removing.push_back(flight);
}

void CDataViewGraph::ForgetSession(const CDataModule* session) {
    for (const CDataBlock* flight : session->GetFlights())
        ForgetFlight(flight);
}

void CDataViewGraph::OnInitialUpdate() {
    ResetChart();
    if (CMainDoc* doc = GetMainDoc()) {
        static_cast<void>(m_pChart->ImportState(doc->GetChartState().GetData()));
        doc->GetChartState().SetData({});
    }
    CGraphChartBuilder(*m_pChart).ApplyInitialSettings(ResourceLibrary());
    ScheduleRebuild();
}

std::vector<std::uint8_t> CDataViewGraph::ExportChartState() {
    std::vector<std::uint8_t> state;
    static_cast<void>(m_pChart->ExportState(state));
    return state;
}

void CDataViewGraph::ImportChartState(std::span<const std::uint8_t> state) {
    static_cast<void>(m_pChart->ImportState(std::vector<std::uint8_t>(state.begin(), state.end())));
}

// --- The chart's content ---

void CDataViewGraph::ResetChart() {
    CGraphChartBuilder(*m_pChart).Reset(ResourceLibrary());
    m_shown.clear();
}

void CDataViewGraph::ScheduleRebuild() {
    if (!m_pRebuildTimer->isActive())
        m_pRebuildTimer->start();
}

void CDataViewGraph::RebuildChart() {
    m_pRebuildTimer->stop();
    ++m_nRebuilds;
    const int oldCount = static_cast<int>(m_shown.size());
    m_shown.clear();
    if (const CMainDoc* doc = GetMainDoc()) {
        for (CDataModule* session : doc->GetSessions())
            for (CDataBlock* flight : session->GetFlights())
                if (flight->IsShown() &&
                    std::find(m_removing.begin(), m_removing.end(), flight) == m_removing.end())
                    m_shown.push_back(flight);
    }
    m_removing.clear();
    const bool any = !m_shown.empty();
    m_pChart->setVisible(any);
    m_pCoordinates->setVisible(any);
    m_pNoData->setVisible(!any);
    if (!any)
        return;
    m_pCoordinates->clear();
    CGraphChartBuilder(*m_pChart).Build(m_shown, oldCount, ChartOptions());
    m_pChart->SetMarkerFlag(false);
    Repaint(true);
}

void CDataViewGraph::ApplyInteractionMode() {
    CGraphChartBuilder(*m_pChart).ApplyInteractionMode(m_nZoomStyle, m_bMeasuring);
}
