// CDataViewGraph: the offset controls, the offset commands and the context menu.
#include "calc/TextHelpers.h"
#include "data/DataBlock.h"
#include "framework/CommandIds.h"
#include "framework/Hints.h"
#include "framework/StringIds.h"
#include "framework/UiServices.h"
#include "pages/DataViewGraph.h"
#include "pages/GraphSliders.h"
#include "pages/PESciEx.h"
#include "shell/MainDoc.h"

#include <QAction>
#include <QCheckBox>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QSignalBlocker>
#include <QSlider>

#include <algorithm>
#include <array>
#include <limits>
#include <optional>

namespace {
std::optional<float> ParseNumber(const QString& text) {
    bool ok = false;
    const float value = QLocale::c().toFloat(text.trimmed(), &ok);
    return ok ? std::optional<float>(value) : std::nullopt;
}

QString FormatNumber(float value) {
    return QString::number(static_cast<double>(value), 'g', 6);
}

void LoadSlider(QSlider& slider, const SliderSetup& setup) {
    slider.setRange(setup.minimum, setup.maximum);
    slider.setSingleStep(setup.lineStep);
    slider.setPageStep(setup.lineStep * 10);
    slider.setValue(setup.position);
}

} // namespace

void CDataViewGraph::ConnectControls() {
    connect(m_pChart, &ChartComponent::notify, this, [this](int code) { OnChartNotify(code); });
    connect(m_pChart, &ChartComponent::contextMenuRequested, this,
            [this](QPoint screen) { ShowContextMenu(screen); });
    connect(m_pSeconds, &QCheckBox::clicked, this, [this] { OnTimeUnitClicked(); });
    connect(m_pOffsets, &QCheckBox::clicked, this, [this] { OnOffsetsClicked(); });
    for (QLineEdit* edit : {m_pTimeEdit, m_pAltitudeEdit}) {
        connect(edit, &QLineEdit::editingFinished, this, [this] {
            if (m_bRefreshing)
                return;
            CommitOffsets();
            RefreshOffsetControls();
        });
    }
    for (QSlider* slider : {m_pTimeSlider, m_pAltitudeSlider}) {
        connect(slider, &QSlider::valueChanged, this,
                [this, slider](int position) { OnSliderChanged(slider, position); });
        connect(slider, &QSlider::sliderReleased, this, [this] { OnSliderReleased(); });
    }
}

void CDataViewGraph::SetOffsetControlsEnabled(bool on) {
    for (QWidget* control :
         std::initializer_list<QWidget*>{m_pTimeSlider, m_pAltitudeSlider, m_pTimeEdit, m_pTimeUnit,
                                         m_pAltitudeEdit, m_pAltitudeUnit})
        control->setEnabled(on);
}

void CDataViewGraph::RefreshOffsetControls() {
    m_bRefreshing = true;
    const QSignalBlocker blockTime(m_pTimeSlider);
    const QSignalBlocker blockAltitude(m_pAltitudeSlider);
    const CMainDoc* doc = GetMainDoc();
    m_pAltitudeUnit->setText(doc ? QString::fromStdString(doc->GetUnitName(false))
                                 : QStringLiteral("m"));
    CDataBlock* flight = m_pCurrentFlight;
    m_pOffsets->setEnabled(flight != nullptr);
    m_pOffsets->setChecked(flight && flight->IsPendingOffsetActive());
    const float seconds = flight ? flight->GetPendingTimeOffset() : 0.0f;
    const float metres = flight ? flight->GetPendingAltitudeOffset() : 0.0f;
    const float shown = doc ? doc->ToDisplayUnits(metres) : metres;
    m_pTimeEdit->setText(FormatNumber(seconds));
    m_pAltitudeEdit->setText(FormatNumber(RoundTo(shown, 10)));
    LoadSlider(*m_pTimeSlider, TimeOffsetSlider(seconds, flight ? flight->GetSampleRate() : 1000));
    LoadSlider(*m_pAltitudeSlider, AltitudeOffsetSlider(metres));
    SetOffsetControlsEnabled(m_pOffsets->isChecked());
    m_bRefreshing = false;
}

void CDataViewGraph::CommitOffsets(bool reportErrors) {
    CDataBlock* flight = m_pCurrentFlight;
    if (!flight)
        return;
    const std::optional<float> seconds = ParseNumber(m_pTimeEdit->text());
    const std::optional<float> shown = ParseNumber(m_pAltitudeEdit->text());
    if (!seconds || !shown) {
        // The flight keeps its offsets; the caller loads the controls from them again.
        if (reportErrors)
            if (CUiServices* ui = GetMainDoc() ? GetMainDoc()->GetUi() : nullptr)
                ui->MessageBox(str::EnterNumber, MsgButtons::Ok, MsgIcon::Warning);
        return;
    }
    const CMainDoc* doc = GetMainDoc();
    const float metres = doc ? doc->FromDisplayUnits(*shown) : *shown;
    if (flight->SetPendingOffset(m_pOffsets->isChecked(), *seconds, metres))
        RequestRefresh();
}

void CDataViewGraph::RequestRefresh() {
    if (m_services.requestRefresh)
        m_services.requestRefresh();
    else
        ScheduleRebuild();
}

void CDataViewGraph::OnOffsetsClicked() {
    SetOffsetControlsEnabled(m_pOffsets->isChecked());
    CommitOffsets();
}

void CDataViewGraph::OnSliderChanged(QSlider* slider, int position) {
    if (m_bRefreshing)
        return;
    if (slider == m_pTimeSlider) {
        m_pTimeEdit->setText(QString::number(position));
    } else {
        const double metres = -position * 0.1;
        const CMainDoc* doc = GetMainDoc();
        m_pAltitudeEdit->setText(
            QString::asprintf("%g", doc ? doc->ToDisplayUnits(metres) : metres));
    }
    CommitOffsets();
    // A step by key or click ends the scroll at once; a drag ends when the handle is let go.
    if (!slider->isSliderDown())
        RefreshOffsetControls();
}

void CDataViewGraph::OnSliderReleased() {
    RefreshOffsetControls();
}

// --- Offset commands ---

void CDataViewGraph::ApplyOffsetsAt(double seconds, double metres) {
    const auto time = static_cast<float>(RoundTo(seconds, 10));
    const auto altitude = static_cast<float>(RoundTo(metres, 100));
    bool changed = false;
    for (CDataBlock* flight : m_shown)
        if (flight)
            changed |= flight->ApplyOffset(-time, -altitude);
    if (changed) {
        const double width =
            m_pChart->GetOne(chart::kZoomMaxX) - m_pChart->GetOne(chart::kZoomMinX);
        const double height =
            m_pChart->GetOne(chart::kZoomMaxY) - m_pChart->GetOne(chart::kZoomMinY);
        m_pChart->SetOne(chart::kZoomMinX, -width / 2);
        m_pChart->SetOne(chart::kZoomMaxX, width / 2);
        m_pChart->SetOne(chart::kZoomMinY, -height / 2);
        m_pChart->SetOne(chart::kZoomMaxY, height / 2);
        RebuildChart();
    }
    RefreshOffsetControls();
}

void CDataViewGraph::ResetAllOffsets() {
    bool changed = false;
    for (CDataBlock* flight : m_shown)
        if (flight)
            changed |= flight->ResetOffsets();
    if (changed)
        RequestRefresh();
    RefreshOffsetControls();
}

void CDataViewGraph::ApplyOffsets() {
    CommitOffsets();
    float minTime = std::numeric_limits<float>::max();
    float minAltitude = std::numeric_limits<float>::max();
    std::vector<CDataBlock*> flights;
    for (CDataBlock* flight : m_shown) {
        if (!flight)
            continue;
        float time = 0;
        float altitude = 0;
        flight->GetStartPoint(time, altitude);
        minTime = std::min(minTime, time);
        minAltitude = std::min(minAltitude, altitude);
        flights.push_back(flight);
    }
    bool changed = false;
    for (CDataBlock* flight : flights)
        changed |= flight->ApplyOffset(-minTime, -minAltitude);
    if (changed)
        RequestRefresh();
    RefreshOffsetControls();
}

// --- Context menu ---

std::vector<CDataBlock*> CDataViewGraph::ContextFlights() const {
    std::vector<CDataBlock*> flights;
    if (m_pCurrentFlight)
        flights.push_back(m_pCurrentFlight);
    for (CDataBlock* flight : m_shown)
        if (flight && flight != m_pCurrentFlight)
            flights.push_back(flight);
    // Each kind of item has a hundred ids.
    if (flights.size() > cmd::AnnotationFlightsPerBase)
        flights.resize(cmd::AnnotationFlightsPerBase);
    return flights;
}

void CDataViewGraph::ShowContextMenu(QPoint screen) {
    if (!IsChartVisible())
        return;
    QPoint local = m_pChart->mapFromGlobal(screen);
    if (!m_pChart->rect().contains(local))
        return;
    int px = local.x();
    int py = local.y();
    double x = 0;
    double y = 0;
    if (!m_pChart->PixelToGraph(px, py, x, y, PixelDirection::ToValue))
        return;
    const double seconds = x * GetTimeDivisor();
    const CMainDoc* doc = GetMainDoc();
    const double metres = doc ? doc->FromDisplayUnits(y) : y;

    const std::vector<CDataBlock*> flights = ContextFlights();
    const bool headed = m_pCurrentFlight != nullptr;
    const bool annotate = static_cast<bool>(m_services.annotate);
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("graphContextMenu"));
    auto fill = [&](QMenu* sub, unsigned base) {
        for (std::size_t i = 0; i < flights.size(); ++i) {
            if (i == 1 && headed)
                sub->addSeparator();
            QAction* item = sub->addAction(QString::fromStdString(flights[i]->GetName()));
            item->setData(base + static_cast<unsigned>(i));
            item->setEnabled(annotate);
        }
        sub->setEnabled(!flights.empty());
    };
    QMenu* add = menu.addMenu(tr("New Annotation"));
    fill(add->addMenu(tr("Data Point")), cmd::AnnotationNewPoint);
    fill(add->addMenu(tr("Horizontal Line")), cmd::AnnotationNewHorizontal);
    fill(add->addMenu(tr("Vertical Line")), cmd::AnnotationNewVertical);
    add->setEnabled(!flights.empty());
    fill(menu.addMenu(tr("Edit Annotations")), cmd::AnnotationEdit);
    menu.addSeparator();
    menu.addAction(tr("&Apply Offsets (Set [0,0])"))->setData(cmd::GraphApplyOffsetsAt);
    menu.addAction(tr("&Reset All Offsets"))->setData(cmd::GraphResetOffsets);

    QAction* chosen = m_services.runPopup ? m_services.runPopup(menu, screen) : menu.exec(screen);
    if (chosen)
        RunContextCommand(chosen->data().toUInt(), flights, seconds, metres);
    Repaint(true);
}

void CDataViewGraph::RunContextCommand(unsigned id, const std::vector<CDataBlock*>& flights,
                                       double seconds, double metres) {
    if (id == cmd::GraphApplyOffsetsAt) {
        ApplyOffsetsAt(seconds, metres);
        return;
    }
    if (id == cmd::GraphResetOffsets) {
        ResetAllOffsets();
        return;
    }
    const unsigned base = id / cmd::AnnotationFlightsPerBase * cmd::AnnotationFlightsPerBase;
    constexpr std::array kBases = {cmd::AnnotationNewPoint, cmd::AnnotationNewHorizontal,
                                   cmd::AnnotationNewVertical, cmd::AnnotationEdit};
    const std::size_t index = id - base;
    if (std::find(kBases.begin(), kBases.end(), base) == kBases.end() || index >= flights.size() ||
        !m_services.annotate)
        return;
    if (m_services.annotate(*flights[index], base, seconds, metres))
        if (CMainDoc* doc = GetMainDoc())
            doc->UpdateAllViews(nullptr, HINT_GRAPH_DATA);
}
