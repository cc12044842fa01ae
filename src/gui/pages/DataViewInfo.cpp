#include "pages/DataViewInfo.h"

#include "framework/CommandIds.h"
#include "shell/MainDoc.h"
#include "text/CommentRuler.h"
#include "text/PageMargins.h"
#include "text/RichEditorView.h"
#include "text/RtfReader.h"

#include <QCoreApplication>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

KUBO_IMPLEMENT_DYNAMIC(CDataViewInfo, CDataView)

namespace {
QLineEdit* MakeField(QWidget* parent, const char* name, int characters) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::ClickFocus);
    field->setFixedWidth(field->fontMetrics().averageCharWidth() * characters + 12);
    return field;
}

void Show(QLineEdit* field, bool enabled, const std::string& text) {
    field->setEnabled(enabled);
    field->setText(QString::fromStdString(text));
    field->setCursorPosition(0);
}

// What a stream held that the editor leaves out, named for the user.
QString DroppedNames(unsigned dropped) {
    struct Name {
        unsigned bit;
        const char* text;
    };
    static const Name kNames[] = {
        {kRtfDroppedObject, QT_TRANSLATE_NOOP("CDataViewInfo", "embedded objects")},
        {kRtfDroppedPicture, QT_TRANSLATE_NOOP("CDataViewInfo", "pictures other than PNG or JPEG")},
        {kRtfDroppedField, QT_TRANSLATE_NOOP("CDataViewInfo", "fields")},
        {kRtfDroppedTable, QT_TRANSLATE_NOOP("CDataViewInfo", "tables")},
        {kRtfDroppedNumbering, QT_TRANSLATE_NOOP("CDataViewInfo", "numbered lists")},
        {kRtfDroppedNote, QT_TRANSLATE_NOOP("CDataViewInfo", "footnotes or annotations")},
        {kRtfDroppedHeader, QT_TRANSLATE_NOOP("CDataViewInfo", "headers or footers")},
        {kRtfDroppedShape, QT_TRANSLATE_NOOP("CDataViewInfo", "drawings")},
        {kRtfDroppedNesting, QT_TRANSLATE_NOOP("CDataViewInfo", "deeply nested groups")},
    };
    QStringList names;
    for (const Name& name : kNames)
        if (dropped & name.bit)
            names << QCoreApplication::translate("CDataViewInfo", name.text);
    return names.join(QStringLiteral(", "));
}
} // namespace

CDataViewInfo::CDataViewInfo(QWidget* parent)
    : CDataView(parent), m_pEditor(new CRichEditorView(this)), m_state(*m_pEditor) {
    setObjectName(QStringLiteral("infoPage"));

    auto* group = new QGroupBox(tr("Flight Information"), this);
    m_pDate = MakeField(group, "edit1003", 18);
    m_pSampleRate = MakeField(group, "edit1005", 6);
    m_pVersion = MakeField(group, "edit1004", 3);
    m_pFlightTime = MakeField(group, "edit1008", 15);
    m_pMaxAltitude = MakeField(group, "edit1007", 15);
    m_pCalculations = new QPushButton(tr("&Calculations..."), group);
    m_pCalculations->setObjectName(QStringLiteral("button1013"));
    auto label = [group](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, group);
        l->setBuddy(buddy);
        return l;
    };
    auto* rateRow = new QHBoxLayout;
    rateRow->addWidget(m_pSampleRate);
    rateRow->addWidget(new QLabel(tr("ms"), group));
    rateRow->addSpacing(8);
    rateRow->addWidget(label(tr("Ver:"), m_pVersion));
    rateRow->addWidget(m_pVersion);
    rateRow->addStretch();
    auto* grid = new QGridLayout(group);
    grid->addWidget(label(tr("Date of Read:"), m_pDate), 0, 0);
    grid->addWidget(m_pDate, 0, 1);
    grid->addWidget(label(tr("Sample Rate:"), m_pSampleRate), 1, 0);
    grid->addLayout(rateRow, 1, 1);
    grid->addItem(new QSpacerItem(16, 1), 0, 2);
    grid->addWidget(label(tr("Flight Time:"), m_pFlightTime), 0, 3);
    grid->addWidget(m_pFlightTime, 0, 4);
    grid->addWidget(label(tr("Max. Altitude:"), m_pMaxAltitude), 1, 3);
    grid->addWidget(m_pMaxAltitude, 1, 4);
    grid->addWidget(m_pCalculations, 1, 5);
    grid->setColumnStretch(6, 1);

    auto* commentsLabel =
        new QLabel(tr("Session Comments: (use Ctrl+Tab to insert Tab character)"), this);
    commentsLabel->setBuddy(m_pEditor);

    m_pNotice = new QFrame(this);
    m_pNotice->setObjectName(QStringLiteral("commentsNotice"));
    m_pNotice->setFrameShape(QFrame::StyledPanel);
    m_pNotice->setAutoFillBackground(true);
    QPalette noticePalette = m_pNotice->palette();
    noticePalette.setColor(QPalette::Window, noticePalette.color(QPalette::ToolTipBase));
    noticePalette.setColor(QPalette::WindowText, noticePalette.color(QPalette::ToolTipText));
    m_pNotice->setPalette(noticePalette);
    auto* icon = new QLabel(m_pNotice);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(16, 16));
    m_pNoticeText = new QLabel(m_pNotice);
    m_pNoticeText->setWordWrap(true);
    auto* editAnyway =
        new QPushButton(tr("Edit anyway (embedded objects will be removed)"), m_pNotice);
    editAnyway->setObjectName(QStringLiteral("editAnyway"));
    auto* noticeRow = new QHBoxLayout(m_pNotice);
    noticeRow->setContentsMargins(6, 3, 6, 3);
    noticeRow->addWidget(icon);
    noticeRow->addWidget(m_pNoticeText, 1);
    noticeRow->addWidget(editAnyway);
    m_pNotice->hide();

    m_pRuler = new CCommentRuler(*m_pEditor, this);

    auto* page = new QVBoxLayout(this);
    page->addWidget(group);
    page->addWidget(commentsLabel);
    page->addWidget(m_pNotice);
    page->addWidget(m_pEditor, 1);
    page->addWidget(m_pRuler);
    page->setSpacing(4);

    connect(m_pCalculations, &QPushButton::clicked, this, &CDataViewInfo::OnCalculations);
    connect(editAnyway, &QPushButton::clicked, this, [this] {
        m_pEditor->EditAnyway();
        m_pEditor->setFocus();
    });
    connect(m_pEditor, &CRichEditorView::protectionChanged, this, [this] { ShowNotice(); });
    connect(m_pEditor, &CRichEditorView::commentsModified, this, [this] {
        if (CMainDoc* doc = GetMainDoc())
            m_state.OnCommentsModified(*doc);
    });
    Refresh();
}

CDataViewInfo::~CDataViewInfo() {
    if (m_pSettings)
        (void)SavePageMargins(m_pEditor->GetPageMargins(), *m_pSettings);
}

void CDataViewInfo::OnUpdate(CView*, long lHint, CObject* pHint) {
    CMainDoc* doc = GetMainDoc();
    if (doc && m_state.OnUpdate(*doc, lHint, pHint))
        Refresh();
}

void CDataViewInfo::OnInitialUpdate() {
    if (!m_pSettings) {
        if (CMainDoc* doc = GetMainDoc(); doc && doc->GetRegistry()) {
            m_pSettings = doc->GetRegistry();
            PageMargins margins = m_pEditor->GetPageMargins();
            LoadPageMargins(margins, *m_pSettings);
            m_pEditor->SetPageMargins(margins);
        }
    }
    CDataView::OnInitialUpdate();
    Refresh();
}

bool CDataViewInfo::OnCmdMsg(unsigned nID, CCmdUI* pCmdUI) {
    if (nID == cmd::FilePageSetup || nID == cmd::FilePrint || nID == cmd::FilePrintPreview)
        return m_pEditor->OnCmdMsg(nID, pCmdUI);
    return CDataView::OnCmdMsg(nID, pCmdUI);
}

QWidget* CDataViewInfo::GetCommandView() {
    return m_pEditor;
}

void CDataViewInfo::SetPrinter(QPrinter* printer) {
    m_pEditor->SetPrinter(printer);
}

bool CDataViewInfo::InsertIntoComments(const QString& text) {
    if (!m_pEditor->IsEditable())
        return false;
    m_pEditor->ReplaceSel(text);
    return true;
}

void CDataViewInfo::OnCalculations() {
    CMainDoc* doc = GetMainDoc();
    if (doc && m_state.EditFormulas(*doc, this))
        Refresh();
}

void CDataViewInfo::Refresh() {
    InfoPageFields fields;
    if (const CMainDoc* doc = GetMainDoc())
        fields = m_state.Refresh(*doc);
    else
        m_pEditor->EnableComments(false);
    Show(m_pDate, fields.flightEnabled, fields.date);
    Show(m_pSampleRate, fields.flightEnabled, fields.sampleRate);
    Show(m_pVersion, fields.flightEnabled, fields.version);
    Show(m_pFlightTime, fields.flightEnabled, fields.flightTime);
    Show(m_pMaxAltitude, fields.flightEnabled, fields.maxAltitude);
    m_pCalculations->setEnabled(fields.flightEnabled);
    m_pRuler->setEnabled(fields.commentsEnabled);
    m_pRuler->UpdateFromEditor();
    ShowNotice();
}

void CDataViewInfo::ShowNotice() {
    const bool show = m_pEditor->IsProtected();
    if (show)
        m_pNoticeText->setText(tr("These comments contain %1, which this editor cannot keep. "
                                  "They are shown read-only so that nothing is lost.")
                                   .arg(DroppedNames(m_pEditor->DroppedContent())));
    m_pNotice->setVisible(show);
}
