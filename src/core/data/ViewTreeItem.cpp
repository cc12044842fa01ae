#include "data/ViewTreeItem.h"

#include "data/DataModule.h"

KUBO_IMPLEMENT_DYNAMIC(CViewTreeItem, CCmdTarget)

CDataModule* CViewTreeItem::GetSession() const {
    for (const CViewTreeItem* item = this; item; item = item->GetParent())
        if (auto* session = DynamicDowncast<CDataModule>(item))
            return const_cast<CDataModule*>(session);
    return nullptr;
}
