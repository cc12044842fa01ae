#include "calc/DataViewTrack.h"

#include "calc/RecentFormulaLists.h"
#include "calc/UserFormulaDlg.h"
#include "framework/Hints.h"
#include "framework/StringIds.h"
#include "framework/UiServices.h"
#include "pages/PESciEx.h"
#include "shell/MainDoc.h"

#include <QApplication>
#include <QClipboard>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

#include <algorithm>
#include <cmath>

KUBO_IMPLEMENT_DYNAMIC(CDataViewTrack, CDataView)

namespace {
// A cross's arms run from 10 pixels before its point to 9 after it, the end excluded: the pen's
// flat cap stops the stroke at the end point.
constexpr int kCrossBefore = 10;
constexpr int kCrossAfter = 9;
constexpr int kMarkerWidth = 2;

// The chart's plotting area now; the stored rectangle (chart::kPlotRect) lags a resize until the
// chart is next reinitialised. Right and bottom are inside, as the drag line's clamp has them.
QRect PlotArea(const CPESciEx& chart) {
    const QRectF plot = chart.ScreenTransform().Plot();
    return {
        QPoint(static_cast<int>(std::ceil(plot.left())), static_cast<int>(std::ceil(plot.top()))),
        QPoint(static_cast<int>(std::floor(plot.right())),
               static_cast<int>(std::floor(plot.bottom())))};
}

MeasurementPoint PointUnderMouse(const CPESciEx& chart) {
    const QRect plot = PlotArea(chart);
    const QPoint mouse = chart.MousePosition().toPoint();
    int px = std::clamp(mouse.x(), plot.left(), std::max(plot.left(), plot.right()));
    int py = std::clamp(mouse.y(), plot.top(), std::max(plot.top(), plot.bottom()));
    MeasurementPoint point;
    static_cast<void>(
        chart.PixelToGraph(px, py, point.time, point.altitude, PixelDirection::ToValue));
    return point;
}
} // namespace

CDataViewTrack::CDataViewTrack(QWidget* parent) : CDataView(parent) {
    setObjectName(QStringLiteral("dialog498"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setVerticalSpacing(3);

    auto* close = new QToolButton(this);
    close->setObjectName(QStringLiteral("closeButton"));
    close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    close->setAutoRaise(true);
    close->setToolTip(tr("Close the data measurements"));
    close->setAccessibleName(close->toolTip());
    connect(close, &QToolButton::clicked, this, &CDataViewTrack::Close);

    grid->addWidget(new QLabel(tr("Time:"), this), 0, 1);
    grid->addWidget(new QLabel(tr("Altitude:"), this), 0, 2);
    grid->addWidget(close, 0, 3, Qt::AlignRight | Qt::AlignTop);
    grid->addWidget(new QLabel(tr("From:"), this), 1, 0);
    grid->addWidget(new QLabel(tr("To:"), this), 2, 0);
    grid->addWidget(new QLabel(tr("Delta:"), this), 3, 0);
    m_pFromTime = AddReadOnlyEdit(1052);
    m_pFromAltitude = AddReadOnlyEdit(1053);
    m_pToTime = AddReadOnlyEdit(1054);
    m_pToAltitude = AddReadOnlyEdit(1055);
    m_pDeltaTime = AddReadOnlyEdit(1056);
    m_pDeltaAltitude = AddReadOnlyEdit(1057);
    grid->addWidget(m_pFromTime, 1, 1);
    grid->addWidget(m_pFromAltitude, 1, 2, 1, 2);
    grid->addWidget(m_pToTime, 2, 1);
    grid->addWidget(m_pToAltitude, 2, 2, 1, 2);
    grid->addWidget(m_pDeltaTime, 3, 1);
    grid->addWidget(m_pDeltaAltitude, 3, 2, 1, 2);
    for (int row = 1; row <= 3; ++row)
        for (int column = 1; column <= 2; ++column)
            NameByHeadings(*grid, row, column);

    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    grid->addWidget(rule, 4, 0, 1, 4);

    const QString initialLabels[2] = {tr("User Calculation1:"), tr("User Calculation2:")};
    const int labelIds[2] = {1070, 1071};
    const int buttonIds[2] = {1068, 1069};
    const int resultIds[2] = {1058, 1060};
    for (int i = 0; i < 2; ++i) {
        const int row = 5 + 2 * i;
        m_pLabel[i] = new QLabel(initialLabels[i], this);
        m_pLabel[i]->setObjectName(QStringLiteral("static%1").arg(labelIds[i]));
        auto* define = new QPushButton(QStringLiteral("..."), this);
        define->setObjectName(QStringLiteral("button%1").arg(buttonIds[i]));
        define->setToolTip(tr("Define the user calculation"));
        define->setFixedWidth(define->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 16);
        connect(define, &QPushButton::clicked, this, [this, i] { DefineUserFormula(i + 1); });
        m_pResult[i] = AddReadOnlyEdit(resultIds[i]);
        m_pLabel[i]->setBuddy(m_pResult[i]);
        grid->addWidget(m_pLabel[i], row, 0, 1, 3);
        grid->addWidget(define, row, 3, Qt::AlignRight);
        grid->addWidget(m_pResult[i], row + 1, 0, 1, 4);
    }

    auto* copy = new QPushButton(tr("&Copy to Clipboard"), this);
    copy->setObjectName(QStringLiteral("button1014"));
    connect(copy, &QPushButton::clicked, this, &CDataViewTrack::CopyToClipboard);
    m_pCopyInfo = new QPushButton(tr("Copy to &Info"), this);
    m_pCopyInfo->setObjectName(QStringLiteral("button1013"));
    m_pCopyInfo->setEnabled(false);
    connect(m_pCopyInfo, &QPushButton::clicked, this, &CDataViewTrack::CopyToInfo);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(copy);
    buttons->addWidget(m_pCopyInfo);
    grid->addLayout(buttons, 9, 0, 1, 4);
    grid->setRowStretch(10, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
}

// A screen reader reads the value at (row, column) as its row's and column's headings, e.g.
// "From: Time:".
void CDataViewTrack::NameByHeadings(QGridLayout& grid, int row, int column) {
    const auto text = [&grid](int r, int c) {
        QLayoutItem* item = grid.itemAtPosition(r, c);
        auto* label = item ? qobject_cast<QLabel*>(item->widget()) : nullptr;
        return label ? label->text() : QString();
    };
    if (QLayoutItem* item = grid.itemAtPosition(row, column))
        if (QWidget* value = item->widget())
            value->setAccessibleName(text(row, 0) + u' ' + text(0, column));
}

QLineEdit* CDataViewTrack::AddReadOnlyEdit(int id) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QStringLiteral("edit%1").arg(id));
    edit->setReadOnly(true);
    edit->setMinimumWidth(40);
    return edit;
}

void CDataViewTrack::SetTimeDivisorSource(std::function<int()> source) {
    m_timeDivisor = std::move(source);
}

void CDataViewTrack::SetInfoSink(InfoSink sink) {
    m_infoSink = std::move(sink);
    m_pCopyInfo->setEnabled(static_cast<bool>(m_infoSink));
}

void CDataViewTrack::SetFromPoint(const MeasurementPoint& point) {
    m_from = point;
    m_to = point;
    Refresh();
}

void CDataViewTrack::SetToPoint(const MeasurementPoint& point) {
    m_to = point;
    Refresh();
}

void CDataViewTrack::SetFromPoint(CPESciEx& chart) {
    SetFromPoint(PointUnderMouse(chart));
}

void CDataViewTrack::SetToPoint(CPESciEx& chart) {
    SetToPoint(PointUnderMouse(chart));
}

void CDataViewTrack::DrawMarkers(CPESciEx& chart, QPainter& painter) {
    const PixelMapping toPixel = [&chart](const MeasurementPoint& point) -> std::optional<QPoint> {
        int px = 0;
        int py = 0;
        double x = point.time;
        double y = point.altitude;
        if (!chart.PixelToGraph(px, py, x, y, PixelDirection::ToPixel))
            return std::nullopt;
        return QPoint(px, py);
    };
    DrawMarkers(painter, toPixel, chart.rect(), PlotArea(chart));
}

void CDataViewTrack::ScaleTimes(double factor) {
    m_from.time *= factor;
    m_to.time *= factor;
    Refresh();
}

void CDataViewTrack::Refresh() {
    const CMainDoc* doc = GetMainDoc();
    const int divisor = m_timeDivisor ? m_timeDivisor() : 1;
    std::array<UserCalculation, 2> calculations;
    for (int i = 0; i < 2; ++i)
        if (doc)
            calculations[static_cast<std::size_t>(i)] = {doc->GetUserFormula(i + 1),
                                                         doc->GetUserTitle(i + 1)};
    m_texts =
        ComputeMeasurement(m_from, m_to, divisor, doc && doc->GetShowFeet() != 0, calculations);
    m_pFromTime->setText(QString::fromStdString(m_texts.fromTime));
    m_pFromAltitude->setText(QString::fromStdString(m_texts.fromAltitude));
    m_pToTime->setText(QString::fromStdString(m_texts.toTime));
    m_pToAltitude->setText(QString::fromStdString(m_texts.toAltitude));
    m_pDeltaTime->setText(QString::fromStdString(m_texts.deltaTime));
    m_pDeltaAltitude->setText(QString::fromStdString(m_texts.deltaAltitude));
    for (std::size_t i = 0; i < 2; ++i) {
        m_pLabel[i]->setText(QString::fromStdString(m_texts.labels[i] + ":"));
        m_pResult[i]->setText(QString::fromStdString(m_texts.results[i]));
    }
}

std::string CDataViewTrack::BuildSummary() const {
    return BuildMeasurementText(m_texts);
}

void CDataViewTrack::DrawMarkers(QPainter& painter, const PixelMapping& toPixel,
                                 const QRect& client, const QRect& plot) const {
    painter.save();
    painter.setPen(QPen(QColor(255, 0, 0), kMarkerWidth, Qt::SolidLine, Qt::FlatCap));
    for (const MeasurementPoint* point : {&m_from, &m_to}) {
        const std::optional<QPoint> pixel = toPixel ? toPixel(*point) : std::nullopt;
        if (!pixel || !client.contains(*pixel) || !plot.contains(*pixel))
            continue;
        const int x = pixel->x();
        const int y = pixel->y();
        painter.drawLine(x - kCrossBefore, y, x + kCrossAfter, y);
        painter.drawLine(x, y - kCrossBefore, x, y + kCrossAfter);
    }
    painter.restore();
}

void CDataViewTrack::DefineUserFormula(int index) {
    CMainDoc* doc = GetMainDoc();
    if (!doc || (index != 1 && index != 2))
        return;
    RegistryStore* registry = doc->GetRegistry();
    CUserFormulaDlg dialog(this);
    if (registry)
        dialog.m_recentList = ReadRecentList(*registry, kRecentUserFormulas, {});
    dialog.m_strTitle = doc->GetUserTitle(index);
    dialog.m_strFormula = doc->GetUserFormula(index);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (registry)
        static_cast<void>(WriteRecentList(*registry, kRecentUserFormulas, dialog.m_recentList));
    if (dialog.m_strFormula != doc->GetUserFormula(index) ||
        dialog.m_strTitle != doc->GetUserTitle(index)) {
        doc->SetUserFormula(index, dialog.m_strFormula);
        doc->SetUserTitle(index, dialog.m_strTitle);
        // The calculations are saved with the project.
        doc->SetModifiedFlag(true);
    }
    if (registry && dialog.m_bSaveAsDefault)
        static_cast<void>(doc->SaveUserCalculation(*registry, index));
}

void CDataViewTrack::CopyToClipboard() {
    if (QClipboard* clipboard = QApplication::clipboard())
        clipboard->setText(QString::fromStdString(BuildSummary()));
}

void CDataViewTrack::CopyToInfo() {
    if (!m_infoSink || m_infoSink(BuildSummary()))
        return;
    const CMainDoc* doc = GetMainDoc();
    if (CUiServices* ui = doc ? doc->GetUi() : nullptr)
        ui->MessageBox(str::MeasurementNotCopied, MsgButtons::Ok, MsgIcon::Warning);
}

void CDataViewTrack::Close() {
    Q_EMIT closeRequested();
}

void CDataViewTrack::OnUpdate(CView*, long lHint, CObject*) {
    if (lHint == HINT_CLEAR)
        Close();
}
