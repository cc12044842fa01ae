// CFindReplaceDlg: the comments editor's modeless Find and Replace window.
#pragma once

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// One window for both commands: Find shows the direction, Replace the replacement text and its
// two buttons. The window only asks; its owner searches when told.
class CFindReplaceDlg : public QDialog {
    Q_OBJECT
public:
    struct Search {
        QString what;
        QString with; // Replace only
        bool matchCase = false;
        bool wholeWord = false;
        bool down = true;
    };

    explicit CFindReplaceDlg(QWidget* parent = nullptr);

    // Shows the window for Find (replace false) or Replace with what as the text to find.
    void Open(bool replace, const QString& what);
    [[nodiscard]] bool IsReplaceMode() const { return m_bReplace; }
    [[nodiscard]] Search Current() const;

    [[nodiscard]] QLineEdit* FindEdit() const { return m_pWhat; }
    [[nodiscard]] QLineEdit* ReplaceEdit() const { return m_pWith; }

Q_SIGNALS:
    void findNextRequested();
    void replaceRequested();
    void replaceAllRequested();

private:
    void UpdateButtons();

    bool m_bReplace = false;
    QLineEdit* m_pWhat = nullptr;
    QLabel* m_pWithLabel = nullptr;
    QLineEdit* m_pWith = nullptr;
    QCheckBox* m_pWholeWord = nullptr;
    QCheckBox* m_pMatchCase = nullptr;
    QGroupBox* m_pDirection = nullptr;
    QRadioButton* m_pUp = nullptr;
    QRadioButton* m_pDown = nullptr;
    QPushButton* m_pFindNext = nullptr;
    QPushButton* m_pReplace = nullptr;
    QPushButton* m_pReplaceAll = nullptr;
};
