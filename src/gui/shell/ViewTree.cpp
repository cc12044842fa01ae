#include "shell/ViewTree.h"

#include "data/DataBlock.h"
#include "data/DataModule.h"
#include "data/TextExport.h"
#include "framework/CommandIds.h"
#include "framework/Refusal.h"
#include "framework/StringIds.h"
#include "framework/UiServices.h"
#include "shell/FilePrompts.h"
#include "shell/MainDoc.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QLineEdit>
#include <QMouseEvent>

#include <memory>
#include <new>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

KUBO_IMPLEMENT_DYNAMIC(CViewTree, CTreeViewEx)

namespace {

constexpr unsigned kTreeStyle = CTreeViewEx::kHasButtons | CTreeViewEx::kHasLines |
                                CTreeViewEx::kLinesAtRoot | CTreeViewEx::kEditLabels |
                                CTreeViewEx::kShowSelAlways;

constexpr unsigned kCmdExportFirst = cmd::ExportTranslated;
constexpr unsigned kCmdExportLast = 30060;

const QIcon& RecordIcon(int itemType) {
    static const QIcon session(QStringLiteral(":/resources/icons/tree-session.svg"));
    static const QIcon flight(QStringLiteral(":/resources/icons/tree-flight.svg"));
    return itemType == CViewTreeItem::kSession ? session : flight;
}

} // namespace

CViewTree::CViewTree(QWidget* parent)
    : CTreeViewEx(kTreeStyle, true, CTreeCtrlEx::kCheck2User, parent) {
    CTreeCtrlEx& tree = GetTreeCtrl();
    tree.setAccessibleName(tr("Project"));
    tree.setIconSize(QSize(19, 16));
    connect(&tree, &CTreeCtrlEx::itemSelectionNotified, this,
            [this](QTreeWidgetItem*) { PostSelectionChanged(); });
    connect(&tree, &CTreeCtrlEx::checkChanged, this, [this](QTreeWidgetItem*) {
        if (!m_bRebuilding)
            Q_EMIT selectionSyncRequested(false);
    });
    connect(&tree, &CTreeCtrlEx::keyDown, this, [this](int key) {
        if (key == Qt::Key_Delete)
            OnEditDelete(cmd::EditDelete);
    });
    connect(&tree, &CTreeCtrlEx::beginLabelEdit, this, [this](QTreeWidgetItem*, bool* allow) {
        CTreeCtrlEx& ctrl = GetTreeCtrl();
        QTreeWidgetItem* caret = ctrl.GetCaretItem();
        *allow = caret != nullptr;
        if (caret)
            ctrl.SetItemSelection(caret, true, true, true);
    });
    connect(&tree, &CTreeCtrlEx::endLabelEdit, this,
            [this](QTreeWidgetItem* item, const QString& text, bool* accept) {
                CViewTreeItem* record = GetItemRecord(item);
                const std::string name = text.toStdString();
                CMainDoc* doc = GetMainDoc();
                if (record && doc && !doc->GetUnstorableCharacters(name).empty()) {
                    // Asked once the editor has closed: a box shown during the commit would
                    // end the edit under it.
                    *accept = false;
                    QMetaObject::invokeMethod(
                        this, [this, record, name] { OnUnstorableName(record, name); },
                        Qt::QueuedConnection);
                    return;
                }
                if (record)
                    record->SetName(name, true, this);
                *accept = true;
                Q_EMIT selectionSyncRequested(true);
            });
    connect(&tree, &CTreeCtrlEx::beginDrag, this,
            [this](QTreeWidgetItem* anchor, QPoint) { OnBeginDrag(anchor, false); });
    connect(&tree, &CTreeCtrlEx::beginRightDrag, this,
            [this](QTreeWidgetItem* anchor, QPoint) { OnBeginDrag(anchor, true); });
}

CViewTree::~CViewTree() {
    if (m_dragCursor)
        QGuiApplication::restoreOverrideCursor();
}

CMainDoc* CViewTree::GetMainDoc() const {
    return DynamicDowncast<CMainDoc>(GetDocument());
}

CViewTreeItem* CViewTree::GetItemRecord(const QTreeWidgetItem* item) {
    return static_cast<CViewTreeItem*>(CTreeCtrlEx::GetItemData(item));
}

QTreeWidgetItem* CViewTree::FindItem(const CViewTreeItem* record) const {
    const CTreeCtrlEx& tree = GetTreeCtrl();
    for (QTreeWidgetItem* item = tree.GetNextItemInOrder(nullptr); item;
         item = tree.GetNextItemInOrder(item))
        if (GetItemRecord(item) == record)
            return item;
    return nullptr;
}

// --- Filling ---

QTreeWidgetItem* CViewTree::InsertRecord(CViewTreeItem* record, QTreeWidgetItem* parent) {
    QTreeWidgetItem* item =
        GetTreeCtrl().InsertItem(QString::fromStdString(record->GetName()), parent, record);
    item->setIcon(0, RecordIcon(record->GetItemType()));
    return item;
}

void CViewTree::InsertSession(CDataModule* session) {
    QTreeWidgetItem* sessionItem = InsertRecord(session, nullptr);
    for (CDataBlock* flight : session->GetFlights()) {
        QTreeWidgetItem* flightItem = InsertRecord(flight, sessionItem);
        GetTreeCtrl().SetCheck(flightItem, flight->IsShown() ? 1 : 0);
    }
}

void CViewTree::Rebuild() {
    CTreeCtrlEx& tree = GetTreeCtrl();
    m_bRebuilding = true;
    // Per record: 2 selected, 1 expanded with children. Keys are only compared, never used.
    std::unordered_map<const CViewTreeItem*, int> states;
    for (QTreeWidgetItem* item = tree.GetNextItemInOrder(nullptr); item;
         item = tree.GetNextItemInOrder(item)) {
        int word = 0;
        if (tree.IsSelected(item))
            word |= 2;
        if (item->isExpanded() && item->childCount() > 0)
            word |= 1;
        states[GetItemRecord(item)] = word;
    }
    if (!states.empty())
        tree.setUpdatesEnabled(false);
    tree.DeleteAllItems();
    if (CMainDoc* doc = GetMainDoc())
        for (CDataModule* session : doc->GetSessions())
            InsertSession(session);
    if (!states.empty()) {
        tree.ClearSelectionExcept(nullptr);
        for (QTreeWidgetItem* item = tree.GetNextItemInOrder(nullptr); item;
             item = tree.GetNextItemInOrder(item)) {
            const auto found = states.find(GetItemRecord(item));
            if (found == states.end())
                continue;
            if (found->second & 2)
                tree.SetItemSelection(item, true, true, false);
            if (found->second & 1)
                tree.expandItem(item);
        }
        tree.setUpdatesEnabled(true);
    }
    m_bRebuilding = false;
    if (!tree.GetFirstSelectedItem() && tree.topLevelItemCount() > 0)
        tree.SetItemSelection(tree.topLevelItem(0), true, true, true);
}

void CViewTree::OnUnstorableName(CViewTreeItem* record, const std::string& typed) {
    QTreeWidgetItem* item = FindItem(record); // null when the record went meanwhile
    CMainDoc* doc = GetMainDoc();
    if (!item || !doc)
        return;
    if (const std::optional<std::string> name = doc->AcceptTypedName(typed)) {
        record->SetName(*name, true, this);
        item->setText(0, QString::fromStdString(*name));
        Q_EMIT selectionSyncRequested(true);
        return;
    }
    // Back to editing what was typed.
    CTreeCtrlEx& tree = GetTreeCtrl();
    if (!tree.EditLabel(item))
        return;
    if (auto* editor = qobject_cast<QLineEdit*>(tree.itemWidget(item, 0))) {
        editor->setText(QString::fromStdString(typed));
        editor->selectAll();
    }
}

void CViewTree::RemoveRecordItem(const CViewTreeItem* record) {
    QTreeWidgetItem* item = FindItem(record);
    if (!item)
        return;
    const bool wasSelected = GetTreeCtrl().IsSelected(item);
    std::unique_ptr<QTreeWidgetItem> owned(
        item->parent() ? item->parent()->takeChild(item->parent()->indexOfChild(item))
                       : GetTreeCtrl().takeTopLevelItem(GetTreeCtrl().indexOfTopLevelItem(item)));
    owned.reset();
    if (wasSelected)
        PostSelectionChanged();
}

void CViewTree::OnUpdate(CView* /*pSender*/, long lHint, CObject* pHint) {
    switch (lHint) {
    case HINT_SESSION_ADDED:
        if (auto* session = DynamicDowncast<CDataModule>(pHint)) {
            InsertSession(session);
            if (QTreeWidgetItem* item = FindItem(session))
                GetTreeCtrl().SetItemSelection(item, true, true, true);
        }
        break;
    case HINT_CLEAR:
        GetTreeCtrl().DeleteAllItems();
        break;
    case HINT_REBUILD:
    case HINT_FLIGHT_MOVED:
        // A move made elsewhere leaves items under the wrong session; refill.
        Rebuild();
        break;
    case HINT_FLIGHT_REMOVING:
    case HINT_SESSION_REMOVING:
        // A removal made elsewhere: no item may outlive its record.
        if (auto* record = DynamicDowncast<CViewTreeItem>(pHint))
            RemoveRecordItem(record);
        break;
    case HINT_FLIGHT_CHANGED:
    case HINT_SESSION_CHANGED:
        if (auto* record = DynamicDowncast<CViewTreeItem>(pHint))
            if (QTreeWidgetItem* item = FindItem(record))
                item->setText(0, QString::fromStdString(record->GetName()));
        break;
    default:
        break;
    }
}

// --- Selection and the shown flags ---

void CViewTree::PostSelectionChanged() {
    if (m_bSelectionPosted)
        return;
    m_bSelectionPosted = true;
    QMetaObject::invokeMethod(this, &CViewTree::OnSelectionPosted, Qt::QueuedConnection);
}

void CViewTree::OnSelectionPosted() {
    m_bSelectionPosted = false;
    const CTreeCtrlEx& tree = GetTreeCtrl();
    CViewTreeItem* single = nullptr;
    if (tree.GetSelectedCount() == 1)
        single = GetItemRecord(tree.GetFirstSelectedItem());
    if (CDocument* doc = GetDocument())
        doc->UpdateAllViews(this, HINT_SELECTION, single);
    Q_EMIT selectionSyncRequested(false);
}

void CViewTree::SynchronizeShownFlags(bool force) {
    const CTreeCtrlEx& tree = GetTreeCtrl();
    bool changed = false;
    for (QTreeWidgetItem* item = tree.GetNextItemInOrder(nullptr); item;
         item = tree.GetNextItemInOrder(item))
        if (auto* flight = DynamicDowncast<CDataBlock>(GetItemRecord(item)))
            changed |= flight->SetShown(CTreeCtrlEx::GetCheck(item) != 0 || tree.IsSelected(item),
                                        true, this);
    if (changed || force)
        if (CDocument* doc = GetDocument())
            doc->UpdateAllViews(this, HINT_GRAPH_DATA, nullptr);
}

void CViewTree::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
}

// --- Commands ---

bool CViewTree::OnCmdMsg(unsigned nID, CCmdUI* pCmdUI) {
    if (nID == cmd::FilePageSetup || nID == cmd::FilePrint || nID == cmd::FilePrintPreview)
        return false;
    const CTreeCtrlEx& tree = GetTreeCtrl();
    if (tree.GetSelectedCount() == 1)
        for (CViewTreeItem* record = GetItemRecord(tree.GetCaretItem()); record;
             record = record->GetParent())
            if (record->OnCmdMsg(nID, pCmdUI))
                return true;
    static const CommandEntry<CViewTree> map[] = {
        {cmd::EditName, cmd::EditName, &CViewTree::OnEditName, &CViewTree::UpdateEditName},
        {cmd::EditDelete, cmd::EditDelete, &CViewTree::OnEditDelete, &CViewTree::UpdateEditDelete},
        {kCmdExportFirst, kCmdExportLast, &CViewTree::OnFileExport, &CViewTree::UpdateFileExport},
    };
    return RouteCommand(*this, map, nID, pCmdUI) || CTreeViewEx::OnCmdMsg(nID, pCmdUI);
}

void CViewTree::UpdateEditName(CCmdUI& ui) {
    ui.Enable(GetTreeCtrl().GetCaretItem() != nullptr);
}

void CViewTree::UpdateEditDelete(CCmdUI& ui) {
    ui.Enable(GetTreeCtrl().GetFirstSelectedItem() != nullptr);
}

void CViewTree::UpdateFileExport(CCmdUI& ui) {
    ui.Enable(HasExportableSelection());
}

bool CViewTree::HasExportableSelection() const {
    const CTreeCtrlEx& tree = GetTreeCtrl();
    for (QTreeWidgetItem* item = tree.GetFirstSelectedItem(); item;
         item = tree.GetNextSelectedItem(item)) {
        CViewTreeItem* record = GetItemRecord(item);
        if (DynamicDowncast<CDataBlock>(record))
            return true;
        if (auto* session = DynamicDowncast<CDataModule>(record);
            session && !session->GetFlights().IsEmpty())
            return true;
    }
    return false;
}

void CViewTree::OnEditName(unsigned /*id*/) {
    CTreeCtrlEx& tree = GetTreeCtrl();
    tree.EditLabel(tree.GetCaretItem());
}

void CViewTree::OnEditDelete(unsigned /*id*/) {
    CTreeCtrlEx& tree = GetTreeCtrl();
    // Visible order; an item goes with a collected ancestor (a flight with its session).
    std::vector<QTreeWidgetItem*> collected;
    std::unordered_set<const QTreeWidgetItem*> collectedSet;
    for (QTreeWidgetItem* item = tree.GetFirstSelectedItem(); item;
         item = tree.GetNextSelectedItem(item)) {
        bool underCollected = false;
        for (const QTreeWidgetItem* up = item->parent(); up && !underCollected; up = up->parent())
            underCollected = collectedSet.contains(up);
        if (underCollected)
            continue;
        collected.push_back(item);
        collectedSet.insert(item);
    }
    if (collected.empty())
        return;
    CMainDoc* doc = GetMainDoc();
    for (auto it = collected.rbegin(); it != collected.rend(); ++it) {
        QTreeWidgetItem* item = *it;
        CViewTreeItem* record = GetItemRecord(item);
        std::unique_ptr<QTreeWidgetItem> owned(
            item->parent() ? item->parent()->takeChild(item->parent()->indexOfChild(item))
                           : tree.takeTopLevelItem(tree.indexOfTopLevelItem(item)));
        owned.reset();
        if (auto* session = DynamicDowncast<CDataModule>(record)) {
            if (doc)
                (void)doc->RemoveSession(session, true, true, this);
        } else if (auto* flight = DynamicDowncast<CDataBlock>(record)) {
            if (CDataModule* owner = flight->GetSession())
                (void)owner->RemoveFlight(flight, true, true, this);
        }
    }
    // The pages may still show a deleted record: tell them the selection now.
    PostSelectionChanged();
    Q_EMIT selectionSyncRequested(false);
}

// --- Export ---

void CViewTree::ReportError(const std::string& text) {
    CDocument* doc = GetDocument();
    if (CUiServices* ui = doc ? doc->GetUi() : nullptr)
        (void)ui->MessageBox(text, MsgButtons::Ok, MsgIcon::Error);
}

void CViewTree::OnFileExport(unsigned id) {
    if (id != cmd::ExportTranslated && id != cmd::ExportRaw)
        return;
    const TextExport kind = id == cmd::ExportRaw ? TextExport::Raw : TextExport::Translated;
    CDocument* doc = GetDocument();
    CUiServices* ui = doc ? doc->GetUi() : nullptr;
    const std::optional<std::string> path =
        ui ? ui->PromptSaveFile(TextFilePrompt(), {}) : std::nullopt;
    if (!path)
        return;
    doc->UpdateAllViews(this, HINT_SAVE, nullptr);

    // Each flight once: a selected session brings all its flights.
    std::vector<CDataBlock*> flights;
    std::unordered_set<const CDataBlock*> seen;
    const CTreeCtrlEx& tree = GetTreeCtrl();
    for (QTreeWidgetItem* item = tree.GetFirstSelectedItem(); item;
         item = tree.GetNextSelectedItem(item)) {
        CViewTreeItem* record = GetItemRecord(item);
        if (auto* session = DynamicDowncast<CDataModule>(record)) {
            for (CDataBlock* flight : session->GetFlights())
                if (seen.insert(flight).second)
                    flights.push_back(flight);
        } else if (auto* flight = DynamicDowncast<CDataBlock>(record)) {
            if (seen.insert(flight).second)
                flights.push_back(flight);
        }
    }
    try {
        ExportTextToFile(flights, kind, *path);
    } catch (const std::bad_alloc&) {
        ReportError(RefusalSentence(str::NotEnoughMemoryFor, *path));
    } catch (const std::exception& error) {
        ReportError(error.what());
    }
}

// --- Drag and drop ---

void CViewTree::OnBeginDrag(QTreeWidgetItem* /*anchor*/, bool right) {
    const CTreeCtrlEx& tree = GetTreeCtrl();
    QTreeWidgetItem* first = tree.GetFirstSelectedItem();
    if (!first)
        return;
    for (QTreeWidgetItem* item = first; item; item = tree.GetNextSelectedItem(item))
        if (!DynamicDowncast<CDataBlock>(GetItemRecord(item)))
            return;
    m_bDragging = true;
    m_bRightDrag = right;
    m_pDropTarget = nullptr;
    // The control's viewport holds the mouse while the button is down; its moves and the
    // release now belong to the drag.
    GetTreeCtrl().viewport()->installEventFilter(this);
}

bool CViewTree::eventFilter(QObject* watched, QEvent* event) {
    if (!m_bDragging || watched != GetTreeCtrl().viewport())
        return CTreeViewEx::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        DragMove(mouse->position().toPoint(), mouse->modifiers());
        return true;
    }
    case QEvent::MouseButtonRelease:
        DragDrop(static_cast<QMouseEvent*>(event)->position().toPoint());
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        return true;
    default:
        return CTreeViewEx::eventFilter(watched, event);
    }
}

void CViewTree::SetDragCursor(Qt::CursorShape shape) {
    if (m_dragCursor == shape)
        return;
    if (m_dragCursor)
        QGuiApplication::changeOverrideCursor(QCursor(shape));
    else
        QGuiApplication::setOverrideCursor(QCursor(shape));
    m_dragCursor = shape;
}

void CViewTree::DragMove(QPoint point, Qt::KeyboardModifiers modifiers) {
    CTreeCtrlEx& tree = GetTreeCtrl();
    CTreeCtrlEx::HitPart part = CTreeCtrlEx::HitPart::Nowhere;
    QTreeWidgetItem* item = tree.HitTest(point, &part);
    const bool overItem = item && CTreeCtrlEx::IsOnItem(part);
    SetDragCursor(!overItem                           ? Qt::ForbiddenCursor
                  : (modifiers & Qt::ControlModifier) ? Qt::DragCopyCursor
                                                      : Qt::DragMoveCursor);
    if (overItem && item != m_pDropTarget) {
        m_pDropTarget = item;
        tree.SetInsertMark(item, true);
    }
}

void CViewTree::EndDrag() {
    if (m_dragCursor)
        QGuiApplication::restoreOverrideCursor();
    m_dragCursor.reset();
    CTreeCtrlEx& tree = GetTreeCtrl();
    tree.SetInsertMark(nullptr);
    tree.viewport()->removeEventFilter(this);
    m_bDragging = false;
    m_bRightDrag = false;
    m_pDropTarget = nullptr;
}

void CViewTree::DragDrop(QPoint point) {
    CTreeCtrlEx& tree = GetTreeCtrl();
    CTreeCtrlEx::HitPart part = CTreeCtrlEx::HitPart::Nowhere;
    QTreeWidgetItem* item = tree.HitTest(point, &part);
    CViewTreeItem* target = item && CTreeCtrlEx::IsOnItem(part) ? GetItemRecord(item) : nullptr;
    CDataModule* targetSession = target ? target->GetSession() : nullptr;
    if (!targetSession) {
        EndDrag();
        return;
    }
    CViewTreeItem* after = DynamicDowncast<CDataBlock>(target) ? target : targetSession;
    std::vector<QTreeWidgetItem*> selected;
    for (QTreeWidgetItem* each = tree.GetFirstSelectedItem(); each;
         each = tree.GetNextSelectedItem(each))
        selected.push_back(each);
    // From the last: each lands right after the target, so the moved flights keep their order.
    for (auto it = selected.rbegin(); it != selected.rend(); ++it) {
        auto* flight = DynamicDowncast<CDataBlock>(GetItemRecord(*it));
        if (!flight)
            continue;
        flight->SetShown(CTreeCtrlEx::GetCheck(*it) == 1, false, nullptr);
        targetSession->MoveFlight(flight, after, false, nullptr);
    }
    EndDrag();
    if (CDocument* doc = GetDocument())
        doc->UpdateAllViews(nullptr, HINT_REBUILD, nullptr);
}
