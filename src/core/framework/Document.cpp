#include "framework/Document.h"

#include "framework/View.h"

#include <algorithm>

KUBO_IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

CView::~CView() {
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

void CView::OnInitialUpdate() {
    OnUpdate(nullptr, HINT_REBUILD, nullptr);
}

CDocument::~CDocument() {
    for (CView* view : m_views)
        view->m_pDocument = nullptr;
}

void CDocument::SetModifiedFlag(bool modified) {
    if (m_bModified == modified)
        return;
    m_bModified = modified;
    // A copy: a listener may add or remove listeners.
    const auto listeners = m_modifiedListeners;
    for (const auto& entry : listeners)
        entry.second(modified);
}

void CDocument::AddModifiedListener(const void* owner, std::function<void(bool)> listener) {
    RemoveModifiedListener(owner);
    m_modifiedListeners.emplace_back(owner, std::move(listener));
}

void CDocument::RemoveModifiedListener(const void* owner) {
    std::erase_if(m_modifiedListeners, [owner](const auto& entry) { return entry.first == owner; });
}

void CDocument::AddView(CView* view) {
    if (view->m_pDocument == this)
        return;
    if (view->m_pDocument)
        view->m_pDocument->RemoveView(view);
    m_views.push_back(view);
    view->m_pDocument = this;
}

void CDocument::RemoveView(CView* view) {
    auto it = std::find(m_views.begin(), m_views.end(), view);
    if (it == m_views.end())
        return;
    m_views.erase(it);
    view->m_pDocument = nullptr;
}

void CDocument::UpdateAllViews(CView* pSender, long lHint, CObject* pHint) {
    const std::vector<CView*> snapshot = m_views;
    for (CView* view : snapshot) {
        if (view == pSender)
            continue;
        if (std::find(m_views.begin(), m_views.end(), view) == m_views.end())
            continue; // removed by an earlier view's reaction
        view->OnUpdate(pSender, lHint, pHint);
    }
}

void CDocument::SendInitialUpdate() {
    const std::vector<CView*> snapshot = m_views;
    for (CView* view : snapshot) {
        if (std::find(m_views.begin(), m_views.end(), view) != m_views.end())
            view->OnInitialUpdate();
    }
}
