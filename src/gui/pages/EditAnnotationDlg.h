// CEditAnnotationDlg: the "Edit Annotation" dialog — kind, coordinates, text, colour, alignment
// and style of one annotation.
#pragma once

#include <QDialog>

#include <cstdint>

class CAnnotation;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// Opening rounds the annotation's time to 1/10 s and stores it so. OK stores the fields in the
// order visible, kind, text, alignment, style, altitude, time, colour and stops at the first
// that fails (an altitude that is not a number, a time that does not parse: the time still
// takes the partly parsed value), telling the user and keeping the dialog open; the fields
// before it stay stored, Cancel included. A data-bound annotation's altitude is never edited.
class CEditAnnotationDlg : public QDialog {
    Q_OBJECT
public:
    // annotation must outlive the dialog.
    explicit CEditAnnotationDlg(CAnnotation& annotation, QWidget* parent = nullptr);

    // The colour being edited (0x00BBGGRR); the swatch shows it.
    [[nodiscard]] std::uint32_t GetColour() const { return m_crColour; }
    void SetColour(std::uint32_t colour);
    // Whether some field was stored by an OK that was then refused.
    [[nodiscard]] bool StoredAnything() const { return m_bStored; }

    void accept() override;
    void reject() override;

private:
    void SetUpForKind(int kind);
    void LoadFields();
    [[nodiscard]] bool StoreFields();
    void OnColourButton();
    [[nodiscard]] int CheckedKind() const;

    CAnnotation& m_annotation;
    std::uint32_t m_crColour = 0;
    bool m_bStored = false;

    QCheckBox* m_pVisible;
    QRadioButton* m_pKind[3];
    QLineEdit* m_pTime;
    QLineEdit* m_pAltitude;
    QLabel* m_pUnit;
    QLineEdit* m_pText;
    QPushButton* m_pColourButton;
    QFrame* m_pSwatch;
    QComboBox* m_pAlignment;
    QComboBox* m_pStyle;
};
