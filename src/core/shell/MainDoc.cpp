#include "shell/MainDoc.h"

#include "calc/Measurement.h"
#include "data/DataModule.h"
#include "framework/CodePage.h"
#include "framework/Registry.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"
#include "framework/UiServices.h"

KUBO_IMPLEMENT_DYNAMIC(CMainDoc, CRecordDocument)

namespace {
constexpr unsigned kFeetLongId = str::FeetLong;
constexpr unsigned kFeetShortId = str::FeetShort;
constexpr unsigned kMetresLongId = str::MetresLong;
constexpr unsigned kMetresShortId = str::MetresShort;
} // namespace

CMainDoc::CMainDoc(CUiServices* ui, RegistryStore* registry)
    : CRecordDocument(ui), m_pRegistry(registry) {
    if (m_pRegistry)
        LoadSettings(*m_pRegistry);
}

CMainDoc::~CMainDoc() = default;

bool CMainDoc::RemoveSession(CDataModule* session, bool deleteIt, bool notify, CView* sender) {
    if (!m_sessions.Contains(session))
        return false;
    if (notify)
        UpdateAllViews(sender, HINT_SESSION_REMOVING, session);
    m_sessions.Remove(session);
    if (notify)
        UpdateAllViews(sender, HINT_SESSION_REMOVED, session);
    if (deleteIt)
        std::unique_ptr<CDataModule>{session}.reset();
    SetModifiedFlag(true);
    return true;
}

std::string CMainDoc::FormatAltitude(double value) const {
    return FormatAltitudeText(value, m_nShowFeet != 0);
}

std::string CMainDoc::GetUnitName(bool longForm) const {
    if (m_nShowFeet)
        return LoadString(longForm ? kFeetLongId : kFeetShortId);
    return LoadString(longForm ? kMetresLongId : kMetresShortId);
}

std::string CMainDoc::GetUserFormula(int index) const {
    return index == 1 ? m_strUserFormula1 : index == 2 ? m_strUserFormula2 : std::string();
}

std::string CMainDoc::GetUserTitle(int index) const {
    return index == 1 ? m_strUserTitle1 : index == 2 ? m_strUserTitle2 : std::string();
}

void CMainDoc::SetUserFormula(int index, std::string formula) {
    if (index == 1)
        m_strUserFormula1 = std::move(formula);
    else if (index == 2)
        m_strUserFormula2 = std::move(formula);
}

void CMainDoc::SetUserTitle(int index, std::string title) {
    if (index == 1)
        m_strUserTitle1 = std::move(title);
    else if (index == 2)
        m_strUserTitle2 = std::move(title);
}

void CMainDoc::DeleteContents() {
    UpdateAllViews(nullptr, HINT_CLEAR);
    m_sessions.DeleteAll();
}

bool CMainDoc::OnNewDocument() {
    DeleteContents();
    SetPathName({});
    SetModifiedFlag(false);
    return true;
}

std::string CMainDoc::GetUnstorableCharacters(const std::string& text) const {
    CCodePage codePage(m_strAnsiCodePage.empty() ? CCodePage::kDefault
                                                 : std::string_view(m_strAnsiCodePage));
    return codePage.Unrepresentable(text);
}

std::optional<std::string> CMainDoc::AcceptTypedName(const std::string& typed) const {
    const std::string lost = GetUnstorableCharacters(typed);
    CUiServices* ui = GetUi();
    if (lost.empty() || !ui)
        return typed;
    if (ui->MessageBox(FormatString2(str::NameNotStorable, typed, lost), MsgButtons::YesNo,
                       MsgIcon::Question) != MsgResult::Yes)
        return std::nullopt;
    CCodePage codePage(m_strAnsiCodePage.empty() ? CCodePage::kDefault
                                                 : std::string_view(m_strAnsiCodePage));
    return codePage.ToUtf8(codePage.FromUtf8(typed));
}
