// CFlightAnnotationsDlg: the "Flight Annotations" dialog — a flight's annotations by kind, with
// their hidden states, and Add, Edit and Delete.
#pragma once

#include <QDialog>

class CAnnotation;
class CDataBlock;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTabBar;

// Add, Edit and Delete change the flight's annotations at once, so Cancel is disabled after
// the first of them. The check marks become the annotations' visible flags before the tab
// changes, before Add and Edit open their dialog and on OK; Cancel leaves them as they were.
class CFlightAnnotationsDlg : public QDialog {
    Q_OBJECT
public:
    // flight must outlive the dialog. An empty title keeps the default one.
    CFlightAnnotationsDlg(CDataBlock& flight, const QString& title, QWidget* parent = nullptr);

    [[nodiscard]] QTabBar* Tabs() const { return m_pTabs; }
    [[nodiscard]] QListWidget* List() const { return m_pList; }
    [[nodiscard]] QPushButton* CancelButton() const { return m_pCancel; }

    // The annotation an item of the list stands for.
    [[nodiscard]] static CAnnotation* ItemAnnotation(const QListWidgetItem* item);

    void OnAdd();
    void OnEdit();
    void OnDelete();
    void accept() override;

private:
    // The list for the current tab's kind, select selected when it is listed.
    void FillList(const CAnnotation* selected = nullptr);
    void StoreCheckMarks();
    void ShowKind(int kind, const CAnnotation* selected);
    void UpdateButtons();
    // Runs the Edit Annotation dialog; true when the annotation changed (OK, or a refused OK
    // that stored some fields).
    bool RunEditDialog(CAnnotation& annotation, bool& accepted);

    CDataBlock& m_flight;
    QTabBar* m_pTabs;
    QListWidget* m_pList;
    QPushButton* m_pAdd;
    QPushButton* m_pEdit;
    QPushButton* m_pDelete;
    QPushButton* m_pCancel;
};
