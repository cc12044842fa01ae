// CViewTree: the project tree — sessions and their flights, selection, ticks, rename, delete,
// drag and drop of flights and text export of the selection.
#pragma once

#include "shell/TreeViewEx.h"

#include <QCursor>

#include <optional>
#include <string>

class CDataBlock;
class CDataModule;
class CMainDoc;
class CViewTreeItem;

class CViewTree : public CTreeViewEx {
    Q_OBJECT
    KUBO_DECLARE_DYNAMIC(CViewTree)
public:
    explicit CViewTree(QWidget* parent = nullptr);
    ~CViewTree() override;

    // The document is a CMainDoc; the view registers itself with CDocument::AddView.
    [[nodiscard]] CMainDoc* GetMainDoc() const;

    void OnUpdate(CView* pSender, long lHint, CObject* pHint) override;
    bool OnCmdMsg(unsigned nID, CCmdUI* pCmdUI) override;

    // Sets every flight's shown-in-graph flag to "ticked or selected", telling the views with
    // this tree as sender; HINT_GRAPH_DATA when any flag changed or force is set. The application
    // runs this when idle after selectionSyncRequested.
    void SynchronizeShownFlags(bool force);

    // The record an item shows, or null.
    [[nodiscard]] static CViewTreeItem* GetItemRecord(const QTreeWidgetItem* item);
    // The item showing record, or null.
    [[nodiscard]] QTreeWidgetItem* FindItem(const CViewTreeItem* record) const;

    // --- Commands ---
    void OnEditName(unsigned id);
    void OnEditDelete(unsigned id);
    void OnFileExport(unsigned id);

    [[nodiscard]] bool IsDragging() const { return m_bDragging; }

Q_SIGNALS:
    // The shown flags should be synchronised when the application is next idle.
    void selectionSyncRequested(bool force);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Rebuild();
    void InsertSession(CDataModule* session);
    QTreeWidgetItem* InsertRecord(CViewTreeItem* record, QTreeWidgetItem* parent);
    void RemoveRecordItem(const CViewTreeItem* record);
    // A typed name the project file cannot hold: the document asks; the record takes the name
    // it gives, or the label editor opens again on what was typed.
    void OnUnstorableName(CViewTreeItem* record, const std::string& typed);
    void PostSelectionChanged();
    void OnSelectionPosted();
    void OnBeginDrag(QTreeWidgetItem* anchor, bool right);
    void DragMove(QPoint point, Qt::KeyboardModifiers modifiers);
    void DragDrop(QPoint point);
    void EndDrag();
    void SetDragCursor(Qt::CursorShape shape);
    void UpdateEditName(CCmdUI& ui);
    void UpdateEditDelete(CCmdUI& ui);
    void UpdateFileExport(CCmdUI& ui);
    [[nodiscard]] bool HasExportableSelection() const;
    void ReportError(const std::string& text);

    bool m_bRebuilding = false;
    bool m_bSelectionPosted = false;
    bool m_bDragging = false;
    bool m_bRightDrag = false;
    QTreeWidgetItem* m_pDropTarget = nullptr;
    std::optional<Qt::CursorShape> m_dragCursor;
};
