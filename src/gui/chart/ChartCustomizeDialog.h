// CChartCustomizeDialog: "Graph Settings", the user's editor of the chart's look.
#pragma once

#include <QColor>
#include <QDialog>

#include <cstdint>
#include <vector>

class QCheckBox;
class QComboBox;
class QFontComboBox;
class QLineEdit;
class QPushButton;
class CChartPropertyStore;

class CChartCustomizeDialog : public QDialog {
    Q_OBJECT
public:
    // Loads the controls from store (read only; nothing changes until Apply).
    CChartCustomizeDialog(const CChartPropertyStore& store, QWidget* parent = nullptr);

    // Writes the edited titles, fonts, colours, grid and legend switches and the per-subset
    // colours and line styles into store.
    void Apply(CChartPropertyStore& store) const;

private:
    QPushButton* ColourButton(const QColor& colour);
    static QColor ButtonColour(const QPushButton* button);

    QLineEdit* m_title = nullptr;
    QLineEdit* m_subTitle = nullptr;
    QLineEdit* m_xTitle = nullptr;
    QLineEdit* m_yTitle = nullptr;
    QFontComboBox* m_titleFont = nullptr;
    QFontComboBox* m_subFont = nullptr;
    QFontComboBox* m_labelFont = nullptr;
    QPushButton* m_desk = nullptr;
    QPushButton* m_back = nullptr;
    QPushButton* m_gridColour = nullptr;
    QCheckBox* m_grid = nullptr;
    QCheckBox* m_legend = nullptr;
    std::vector<QPushButton*> m_subsetColours;
    std::vector<QComboBox*> m_subsetStyles;
};
