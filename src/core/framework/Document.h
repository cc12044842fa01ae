// CDocument: the data side of document/view; keeps its views and tells them what changed.
#pragma once

#include "framework/CmdTarget.h"
#include "framework/Hints.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

class CView;
class CUiServices;

class CDocument : public CCmdTarget {
    KUBO_DECLARE_DYNAMIC(CDocument)
public:
    // ui is how the document and its records ask the user; not owned, may be null only in
    // code paths that never ask (it must outlive the document).
    explicit CDocument(CUiServices* ui = nullptr) : m_pUi(ui) {}
    ~CDocument() override;

    // Views are not owned. A view belongs to at most one document; adding it here removes it
    // from its previous one.
    void AddView(CView* view);
    void RemoveView(CView* view);
    [[nodiscard]] const std::vector<CView*>& GetViews() const { return m_views; }

    // Tells every view but the sender. Views may add or remove views while being told; a view
    // removed during the call is not told afterwards.
    void UpdateAllViews(CView* pSender, long lHint = 0, CObject* pHint = nullptr);
    // Tells every view that the document has new contents (after New and Open): each view's
    // OnInitialUpdate, in the order the views were added.
    void SendInitialUpdate();

    [[nodiscard]] virtual bool IsModified() const { return m_bModified; }
    virtual void SetModifiedFlag(bool modified = true);
    // listener is told the new state each time the modified flag changes (not when it is set to
    // what it was), until RemoveModifiedListener(owner). owner only identifies the listener; one
    // listener per owner, a second replaces the first.
    void AddModifiedListener(const void* owner, std::function<void(bool modified)> listener);
    void RemoveModifiedListener(const void* owner);

    [[nodiscard]] const std::string& GetPathName() const { return m_strPathName; }
    void SetPathName(std::string path) { m_strPathName = std::move(path); }
    [[nodiscard]] const std::string& GetTitle() const { return m_strTitle; }
    void SetTitle(std::string title) { m_strTitle = std::move(title); }

    [[nodiscard]] CUiServices* GetUi() const { return m_pUi; }
    void SetUi(CUiServices* ui) { m_pUi = ui; }

private:
    std::vector<CView*> m_views;
    bool m_bModified = false;
    std::vector<std::pair<const void*, std::function<void(bool)>>> m_modifiedListeners;
    std::string m_strPathName;
    std::string m_strTitle;
    CUiServices* m_pUi;
};
