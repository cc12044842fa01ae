// CReadDataDlg: the modeless Read Data window — status text, progress, Cancel, final question.
#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;

// While reading, Cancel (the button, Esc or closing the window) only raises the cancel flag:
// the read loop sees it and ends the read, and the window stays until the loop destroys it.
// During the final question OK takes the check box's value and Cancel ends the question.
// Controls carry their ids as object names: static1019, progress1020, check1059, IDOK, IDCANCEL;
// the line naming the device is staticSource.
class CReadDataDlg : public QDialog {
    Q_OBJECT
public:
    explicit CReadDataDlg(QWidget* parent = nullptr);

    // The bar runs from 0 to upper; with upper 0 or less it stays empty.
    void SetProgressRange(int upper);
    void SetProgressPosition(int position);
    void SetStatusText(const QString& text);
    // The line naming what the read listens on; hidden while empty.
    void SetSourceText(const QString& text);

    // Enables OK and the check box and puts the focus on the check box.
    void BeginFinalQuestion();
    [[nodiscard]] bool IsFinalQuestion() const { return m_bFinalQuestion; }
    [[nodiscard]] bool IsCancelRequested() const { return m_bCancelRequested; }
    // The check box's value taken at OK.
    [[nodiscard]] bool IsSeparate() const { return m_bSeparate; }

    [[nodiscard]] QLabel* StatusLabel() const { return m_pStatus; }
    [[nodiscard]] QLabel* SourceLabel() const { return m_pSource; }
    [[nodiscard]] QProgressBar* ProgressBar() const { return m_pProgress; }
    [[nodiscard]] QCheckBox* SeparateBox() const { return m_pSeparate; }
    [[nodiscard]] QPushButton* OkButton() const { return m_pOk; }
    [[nodiscard]] QPushButton* CancelButton() const { return m_pCancel; }

public Q_SLOTS:
    void accept() override;
    void reject() override;

private:
    QLabel* m_pSource;
    QLabel* m_pStatus;
    QProgressBar* m_pProgress;
    QCheckBox* m_pSeparate;
    QPushButton* m_pOk;
    QPushButton* m_pCancel;
    bool m_bNoRange = false;
    bool m_bFinalQuestion = false;
    bool m_bCancelRequested = false;
    bool m_bSeparate = false;
};
