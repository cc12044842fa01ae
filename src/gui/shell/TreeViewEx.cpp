#include "shell/TreeViewEx.h"

#include <QVBoxLayout>

KUBO_IMPLEMENT_DYNAMIC(CTreeViewEx, CCmdTarget)

CTreeViewEx::CTreeViewEx(unsigned style, bool multiSelect, int checkMode, QWidget* parent)
    : QWidget(parent), m_pTree(new CTreeCtrlEx(multiSelect, checkMode, this)) {
    m_pTree->setObjectName(QStringLiteral("tree%1").arg(kPaneId));
    m_pTree->setFrameShape(QFrame::NoFrame);
    m_pTree->setRootIsDecorated((style & kLinesAtRoot) != 0);
    m_pTree->SetEditLabels((style & kEditLabels) != 0);
    m_pTree->SetDragDisabled((style & kDisableDragDrop) != 0);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pTree);
    setFocusProxy(m_pTree);
}

CTreeViewEx::~CTreeViewEx() = default;
