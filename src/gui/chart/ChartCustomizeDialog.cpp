#include "chart/ChartCustomizeDialog.h"

#include "chart/ChartPropertyIds.h"
#include "chart/ChartPropertyStore.h"
#include "chart/ChartRenderer.h"
#include "chart/ChartStyles.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

namespace {
constexpr char kColourProperty[] = "kuboColour";

QLineEdit* TextEdit(const CChartPropertyStore& store, int id, QWidget* parent) {
    auto* edit = new QLineEdit(QString::fromStdString(store.GetText(id)).trimmed(), parent);
    edit->setObjectName(QStringLiteral("edit%1").arg(id));
    return edit;
}

QFontComboBox* FontBox(const CChartPropertyStore& store, int id, QWidget* parent) {
    auto* box = new QFontComboBox(parent);
    box->setObjectName(QStringLiteral("font%1").arg(id));
    const QString face = QString::fromStdString(store.GetText(id));
    if (!face.isEmpty())
        box->setCurrentFont(QFont(face));
    return box;
}

void ShowColour(QPushButton* button, const QColor& colour) {
    button->setProperty(kColourProperty, colour);
    button->setStyleSheet(
        QStringLiteral("background-color: %1; min-width: 3em;").arg(colour.name()));
}
} // namespace

CChartCustomizeDialog::CChartCustomizeDialog(const CChartPropertyStore& store, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(tr("Graph Settings"));
    auto* layout = new QVBoxLayout(this);

    auto* titles = new QGroupBox(tr("Titles"), this);
    auto* titleForm = new QFormLayout(titles);
    m_title = TextEdit(store, chart::kMainTitle, titles);
    m_subTitle = TextEdit(store, chart::kSubTitle, titles);
    m_xTitle = TextEdit(store, chart::kXAxisTitle, titles);
    m_yTitle = TextEdit(store, chart::kYAxisTitle, titles);
    titleForm->addRow(tr("&Main title:"), m_title);
    titleForm->addRow(tr("&Subtitle:"), m_subTitle);
    titleForm->addRow(tr("&X axis:"), m_xTitle);
    titleForm->addRow(tr("&Y axis:"), m_yTitle);
    layout->addWidget(titles);

    auto* fonts = new QGroupBox(tr("Fonts"), this);
    auto* fontForm = new QFormLayout(fonts);
    m_titleFont = FontBox(store, chart::kMainTitleFont, fonts);
    m_subFont = FontBox(store, chart::kSubTitleFont, fonts);
    m_labelFont = FontBox(store, chart::kLabelFont, fonts);
    fontForm->addRow(tr("Main title:"), m_titleFont);
    fontForm->addRow(tr("Subtitle:"), m_subFont);
    fontForm->addRow(tr("Labels:"), m_labelFont);
    layout->addWidget(fonts);

    auto* colours = new QGroupBox(tr("Colours and grid"), this);
    auto* colourForm = new QFormLayout(colours);
    m_desk = ColourButton(chart::FromColorRef(store.GetInt(chart::kDeskColour)));
    m_back = ColourButton(chart::FromColorRef(store.GetInt(chart::kGraphBackColour)));
    m_gridColour = ColourButton(chart::FromColorRef(store.GetInt(chart::kGridColour)));
    m_grid = new QCheckBox(tr("Show &grid lines"), colours);
    m_grid->setChecked(store.GetInt(chart::kGridLines) != 0);
    m_legend = new QCheckBox(tr("Show &legend"), colours);
    m_legend->setChecked(store.GetInt(chart::kShowLegend) != 0);
    colourForm->addRow(tr("Desk:"), m_desk);
    colourForm->addRow(tr("Graph area:"), m_back);
    colourForm->addRow(tr("Grid:"), m_gridColour);
    colourForm->addRow(m_grid);
    colourForm->addRow(m_legend);
    layout->addWidget(colours);

    const int subsets = std::max(0, store.GetInt(chart::kSubsetCount));
    if (subsets > 0) {
        auto* group = new QGroupBox(tr("Subsets"), this);
        auto* grid = new QGridLayout(group);
        const std::string styleNames = LoadString(str::LineStyleNames);
        for (int s = 0; s < subsets; ++s) {
            QString name = QString::fromStdString(store.TextAt(chart::kSubsetLabels, s));
            if (name.isEmpty())
                name = tr("Subset %1").arg(s + 1);
            grid->addWidget(new QLabel(name, group), s, 0);
            QPushButton* colour = ColourButton(chart::FromColorRef(SubsetColour(store, s)));
            colour->setObjectName(QStringLiteral("subsetColour%1").arg(s));
            grid->addWidget(colour, s, 1);
            auto* style = new QComboBox(group);
            style->setObjectName(QStringLiteral("subsetStyle%1").arg(s));
            for (int i = 0; i < chart::kLineStyleCount; ++i) {
                auto entry = GetListEntry(styleNames, static_cast<std::size_t>(i));
                style->addItem(entry ? QString::fromStdString(*entry) : QString::number(i));
            }
            style->setCurrentIndex(
                std::clamp(SubsetLineStyle(store, s), 0, chart::kLineStyleCount - 1));
            grid->addWidget(style, s, 2);
            m_subsetColours.push_back(colour);
            m_subsetStyles.push_back(style);
        }
        auto* scroll = new QScrollArea(this);
        scroll->setWidget(group);
        scroll->setWidgetResizable(true);
        scroll->setMaximumHeight(220);
        layout->addWidget(scroll);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QPushButton* CChartCustomizeDialog::ColourButton(const QColor& colour) {
    auto* button = new QPushButton(this);
    ShowColour(button, colour);
    connect(button, &QPushButton::clicked, this, [this, button] {
        const QColor chosen = QColorDialog::getColor(ButtonColour(button), this);
        if (chosen.isValid())
            ShowColour(button, chosen);
    });
    return button;
}

QColor CChartCustomizeDialog::ButtonColour(const QPushButton* button) {
    return button->property(kColourProperty).value<QColor>();
}

void CChartCustomizeDialog::Apply(CChartPropertyStore& store) const {
    store.SetText(chart::kMainTitle, m_title->text().toStdString());
    store.SetText(chart::kSubTitle, m_subTitle->text().toStdString());
    store.SetText(chart::kXAxisTitle, m_xTitle->text().toStdString());
    store.SetText(chart::kYAxisTitle, m_yTitle->text().toStdString());
    store.SetText(chart::kMainTitleFont, m_titleFont->currentFont().family().toStdString());
    store.SetText(chart::kSubTitleFont, m_subFont->currentFont().family().toStdString());
    store.SetText(chart::kLabelFont, m_labelFont->currentFont().family().toStdString());
    store.SetInt(chart::kDeskColour, chart::ToColorRef(ButtonColour(m_desk)));
    store.SetInt(chart::kGraphBackColour, chart::ToColorRef(ButtonColour(m_back)));
    store.SetInt(chart::kGridColour, chart::ToColorRef(ButtonColour(m_gridColour)));
    store.SetInt(chart::kGridLines, m_grid->isChecked() ? 1 : 0);
    store.SetInt(chart::kShowLegend, m_legend->isChecked() ? 1 : 0);
    for (std::size_t s = 0; s < m_subsetColours.size(); ++s) {
        store.SetCellInt(chart::kSubsetColours, static_cast<int>(s),
                         chart::ToColorRef(ButtonColour(m_subsetColours[s])));
        store.SetCellInt(chart::kSubsetLineStyles, static_cast<int>(s),
                         m_subsetStyles[s]->currentIndex());
    }
}
