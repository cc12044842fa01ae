#include "pages/FlightAnnotationsDlg.h"

#include "data/Annotation.h"
#include "data/DataBlock.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"
#include "pages/EditAnnotationDlg.h"
#include "widgets/ColourPicker.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

namespace {
constexpr int kAnnotationRole = Qt::UserRole;

QString Text(unsigned id) {
    return QString::fromStdString(LoadString(id));
}
} // namespace

CFlightAnnotationsDlg::CFlightAnnotationsDlg(CDataBlock& flight, const QString& title,
                                             QWidget* parent)
    : QDialog(parent), m_flight(flight) {
    setObjectName(QStringLiteral("dialog492"));
    setWindowTitle(title.isEmpty() ? tr("Flight Annotations") : title);

    m_pTabs = new QTabBar(this);
    m_pTabs->setObjectName(QStringLiteral("tab1023"));
    m_pTabs->addTab(Text(str::Horizontal));
    m_pTabs->addTab(Text(str::Vertical));
    m_pTabs->addTab(Text(str::Data));
    m_pTabs->setCurrentIndex(CAnnotation::kDataPoint);
    // The tab still shows the old list when the index changes: its marks are stored first.
    connect(m_pTabs, &QTabBar::currentChanged, this, [this] {
        StoreCheckMarks();
        FillList();
        m_pList->setAccessibleName(m_pTabs->tabText(m_pTabs->currentIndex()));
    });

    m_pList = new QListWidget(this);
    m_pList->setObjectName(QStringLiteral("list1024"));
    m_pList->setAccessibleName(m_pTabs->tabText(m_pTabs->currentIndex()));
    m_pList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_pList->setSortingEnabled(true);
    connect(m_pList, &QListWidget::itemSelectionChanged, this,
            &CFlightAnnotationsDlg::UpdateButtons);
    connect(m_pList, &QListWidget::itemDoubleClicked, this, [this] {
        if (m_pList->selectedItems().size() == 1)
            OnEdit();
    });

    m_pAdd = new QPushButton(tr("&Add..."), this);
    m_pAdd->setObjectName(QStringLiteral("button1013"));
    m_pEdit = new QPushButton(tr("&Edit..."), this);
    m_pEdit->setObjectName(QStringLiteral("button1016"));
    m_pDelete = new QPushButton(tr("&Delete"), this);
    m_pDelete->setObjectName(QStringLiteral("button1014"));
    connect(m_pAdd, &QPushButton::clicked, this, &CFlightAnnotationsDlg::OnAdd);
    connect(m_pEdit, &QPushButton::clicked, this, &CFlightAnnotationsDlg::OnEdit);
    connect(m_pDelete, &QPushButton::clicked, this, &CFlightAnnotationsDlg::OnDelete);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_pCancel = buttons->button(QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CFlightAnnotationsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CFlightAnnotationsDlg::reject);
    // Enter edits the selected annotation, as the default button does.
    buttons->button(QDialogButtonBox::Ok)->setAutoDefault(false);
    m_pEdit->setDefault(true);

    auto* side = new QVBoxLayout;
    side->addWidget(m_pAdd);
    side->addWidget(m_pEdit);
    side->addWidget(m_pDelete);
    side->addStretch(1);
    auto* body = new QHBoxLayout;
    body->addWidget(m_pList, 1);
    body->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pTabs);
    layout->addLayout(body, 1);
    layout->addWidget(buttons);
    resize(420, 240);

    FillList();
}

CAnnotation* CFlightAnnotationsDlg::ItemAnnotation(const QListWidgetItem* item) {
    return item ? static_cast<CAnnotation*>(item->data(kAnnotationRole).value<void*>()) : nullptr;
}

void CFlightAnnotationsDlg::FillList(const CAnnotation* selected) {
    const QSignalBlocker blocker(m_pList);
    m_pList->clear();
    const int kind = m_pTabs->currentIndex();
    const CObListEx<CAnnotation>& annotations = m_flight.GetAnnotations();
    for (std::ptrdiff_t i = 0; i < annotations.GetCount(); ++i) {
        CAnnotation* annotation = annotations.GetAt(i);
        if (annotation->m_nKind != kind)
            continue;
        auto* item =
            new QListWidgetItem(QLatin1Char(' ') + QString::fromStdString(annotation->m_strText));
        item->setData(kAnnotationRole, QVariant::fromValue(static_cast<void*>(annotation)));
        item->setForeground(CColourPicker::ToQColor(annotation->m_crColour));
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(annotation->m_bVisible ? Qt::Checked : Qt::Unchecked);
        m_pList->addItem(item);
        if (annotation == selected) {
            item->setSelected(true);
            m_pList->setCurrentItem(item);
        }
    }
    UpdateButtons();
}

void CFlightAnnotationsDlg::StoreCheckMarks() {
    for (int row = 0; row < m_pList->count(); ++row) {
        const QListWidgetItem* item = m_pList->item(row);
        if (CAnnotation* annotation = ItemAnnotation(item))
            annotation->m_bVisible = item->checkState() == Qt::Checked;
    }
}

void CFlightAnnotationsDlg::ShowKind(int kind, const CAnnotation* selected) {
    {
        const QSignalBlocker blocker(m_pTabs);
        m_pTabs->setCurrentIndex(kind);
    }
    FillList(selected);
}

void CFlightAnnotationsDlg::UpdateButtons() {
    const qsizetype selected = m_pList->selectedItems().size();
    m_pEdit->setEnabled(selected == 1);
    m_pDelete->setEnabled(selected >= 1);
}

bool CFlightAnnotationsDlg::RunEditDialog(CAnnotation& annotation, bool& accepted) {
    CEditAnnotationDlg dialog(annotation, this);
    accepted = dialog.exec() == QDialog::Accepted;
    return accepted || dialog.StoredAnything();
}

void CFlightAnnotationsDlg::OnAdd() {
    StoreCheckMarks();
    auto annotation = std::make_unique<CAnnotation>(&m_flight);
    annotation->m_nKind = m_pTabs->currentIndex();
    bool accepted = false;
    static_cast<void>(RunEditDialog(*annotation, accepted));
    if (!accepted)
        return;
    CAnnotation* added = annotation.get();
    m_flight.AppendAnnotation(std::move(annotation));
    ShowKind(added->m_nKind, added);
    m_pCancel->setEnabled(false);
}

void CFlightAnnotationsDlg::OnEdit() {
    const QList<QListWidgetItem*> selected = m_pList->selectedItems();
    if (selected.size() != 1)
        return;
    CAnnotation* annotation = ItemAnnotation(selected.front());
    if (!annotation)
        return;
    StoreCheckMarks();
    bool accepted = false;
    if (!RunEditDialog(*annotation, accepted))
        return;
    // A refused OK that was then cancelled has changed the annotation as well: Cancel could
    // not undo it either.
    ShowKind(accepted ? annotation->m_nKind : m_pTabs->currentIndex(), annotation);
    m_pCancel->setEnabled(false);
}

void CFlightAnnotationsDlg::OnDelete() {
    QList<QListWidgetItem*> selected = m_pList->selectedItems();
    if (selected.isEmpty())
        return;
    if (QMessageBox::question(this, QStringLiteral("Kubo"), Text(str::DeleteAnnotations),
                              QMessageBox::Yes | QMessageBox::No,
                              QMessageBox::No) != QMessageBox::Yes)
        return;
    std::sort(selected.begin(), selected.end(), [this](QListWidgetItem* a, QListWidgetItem* b) {
        return m_pList->row(a) > m_pList->row(b);
    });
    for (QListWidgetItem* item : selected) {
        CAnnotation* annotation = ItemAnnotation(item);
        delete m_pList->takeItem(m_pList->row(item));
        if (annotation && m_flight.GetAnnotations().Remove(annotation))
            std::unique_ptr<CAnnotation>{annotation}.reset();
    }
    UpdateButtons();
    m_pCancel->setEnabled(false);
}

void CFlightAnnotationsDlg::accept() {
    StoreCheckMarks();
    QDialog::accept();
}
