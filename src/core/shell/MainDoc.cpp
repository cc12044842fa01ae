#include "shell/MainDoc.h"

#include "data/DataModule.h"

KUBO_IMPLEMENT_DYNAMIC(CMainDoc, CDocument)

CMainDoc::CMainDoc(CUiServices* ui) : CDocument(ui) {}

CMainDoc::~CMainDoc() = default;

bool CMainDoc::RemoveSession(CDataModule* session, bool deleteIt, bool notify, CView* sender) {
    if (!session || !m_sessions.Contains(session))
        return false;
    if (notify)
        UpdateAllViews(sender, HINT_SESSION_REMOVING, session);
    m_sessions.Remove(session);
    if (notify)
        UpdateAllViews(sender, HINT_SESSION_REMOVED, session);
    if (deleteIt)
        std::unique_ptr<CDataModule>{session}.reset();
    return true;
}
