// CView: an observer of one document that re-reads what it shows when told of a change.
#pragma once

class CDocument;
class CObject;

// A GUI view derives from its QWidget and from CView. The view registers with a document
// through CDocument::AddView and unregisters itself when destroyed, so a document never calls
// a destroyed view.
class CView {
public:
    CView() = default;
    CView(const CView&) = delete;
    CView& operator=(const CView&) = delete;
    virtual ~CView();

    [[nodiscard]] CDocument* GetDocument() const { return m_pDocument; }

    // Called by CDocument::UpdateAllViews. hint is one of the HINT_* numbers; pHint is the
    // hint object named by the hint table, or null.
    virtual void OnUpdate(CView* pSender, long lHint, CObject* pHint) = 0;

    // Called by CDocument::SendInitialUpdate after New and Open, when the document holds its new
    // contents. The default is OnUpdate(nullptr, HINT_REBUILD, nullptr); a view that must take
    // something from the freshly loaded document first (e.g. stored settings) overrides it and
    // ends with that call.
    virtual void OnInitialUpdate();

private:
    friend class CDocument;
    CDocument* m_pDocument = nullptr;
};
