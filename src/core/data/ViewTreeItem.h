// CViewTreeItem: base of the project tree's items (sessions and flights).
#pragma once

#include <string>

#include "framework/CmdTarget.h"

class CDataModule;
class CView;

class CViewTreeItem : public CCmdTarget {
    KUBO_DECLARE_DYNAMIC(CViewTreeItem)
public:
    enum ItemType { kSession = 1, kFlight = 2 };

    // parent: the item above (null for a session); not owned.
    explicit CViewTreeItem(CViewTreeItem* parent = nullptr) : m_pParent(parent) {}

    [[nodiscard]] virtual std::string GetName() const = 0;
    [[nodiscard]] virtual int GetItemType() const = 0;
    // Renames; with update, tells the views (the sender excepted); always marks the document
    // modified.
    virtual void SetName(const std::string& name, bool update, CView* sender) = 0;

    [[nodiscard]] CViewTreeItem* GetParent() const { return m_pParent; }
    void SetParent(CViewTreeItem* parent) { m_pParent = parent; }

    // The first session on the way up from this item (itself included), or null.
    [[nodiscard]] CDataModule* GetSession() const;

private:
    CViewTreeItem* m_pParent;
};
