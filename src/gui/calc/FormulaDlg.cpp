#include "calc/FormulaDlg.h"

#include "calc/DialogMessages.h"
#include "calc/FormulaEvaluator.h"
#include "calc/FormulaLines.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {
// A formula edit that leaves Enter to the dialog (so it presses OK) and Tab to focus
// movement; line breaks come only from the statement layout.
class FormulaTextEdit : public QPlainTextEdit {
public:
    explicit FormulaTextEdit(QWidget* parent) : QPlainTextEdit(parent) {
        setTabChangesFocus(true);
        setLineWrapMode(QPlainTextEdit::WidgetWidth);
        // The selection stays visible while another control has the focus, so that a
        // function button visibly replaces it.
        QPalette pal = palette();
        pal.setColor(QPalette::Inactive, QPalette::Highlight,
                     pal.color(QPalette::Active, QPalette::Highlight));
        pal.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     pal.color(QPalette::Active, QPalette::HighlightedText));
        setPalette(pal);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            event->ignore();
            return;
        }
        QPlainTextEdit::keyPressEvent(event);
    }
};

// List items ordered as a sorted system list box orders them: ignoring letter case.
class SortedItem : public QListWidgetItem {
public:
    explicit SortedItem(const QString& text) : QListWidgetItem(text) {}
    bool operator<(const QListWidgetItem& other) const override {
        return QString::compare(text(), other.text(), Qt::CaseInsensitive) < 0;
    }
};

struct FunctionButton {
    int id;
    const char* name;
    const char* placeholder;
};

// Functions with a button; hypot, m2ft and ft2m are typed.
constexpr FunctionButton kFunctions[] = {
    {1013, "sin", "x"},   {1014, "cos", "x"},   {1015, "tan", "x"},  {1016, "asin", "x"},
    {1017, "acos", "x"},  {1018, "atan", "x"},  {1019, "sinh", "x"}, {1020, "cosh", "x"},
    {1021, "tanh", "x"},  {1022, "exp", "x"},   {1023, "log", "x"},  {1024, "ln", "x"},
    {1025, "sqrt", "x"},  {1026, "floor", "x"}, {1027, "ceil", "x"}, {1028, "abs", "x"},
    {1029, "deg", "rad"}, {1030, "rad", "deg"},
};
constexpr int kButtonColumns = 6;

QPushButton* MakeButton(QWidget* parent, int id, const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QStringLiteral("button%1").arg(id));
    button->setAutoDefault(false);
    return button;
}
} // namespace

CFormulaDlg::CFormulaDlg(int templateId, const Texts& texts,
                         const std::vector<VariableButton>& variables, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("dialog%1").arg(templateId));
    setWindowTitle(texts.title);

    auto* formulaGroup = new QGroupBox(texts.group, this);
    m_pEdit = new FormulaTextEdit(formulaGroup);
    m_pEdit->setObjectName(QStringLiteral("edit1062"));
    m_pEdit->setMinimumWidth(360);
    m_pEdit->setFixedHeight(m_pEdit->fontMetrics().lineSpacing() * 5);

    auto* buttonGrid = new QGridLayout;
    int slot = 0;
    for (const FunctionButton& function : kFunctions) {
        auto* button = MakeButton(formulaGroup, function.id, QString::fromLatin1(function.name));
        const QString name = QString::fromLatin1(function.name);
        const QString placeholder = QString::fromLatin1(function.placeholder);
        connect(button, &QPushButton::clicked, this,
                [this, name, placeholder] { Insert(name, placeholder); });
        buttonGrid->addWidget(button, slot / kButtonColumns, slot % kButtonColumns);
        ++slot;
    }
    slot = (slot + kButtonColumns - 1) / kButtonColumns * kButtonColumns;
    for (const VariableButton& variable : variables) {
        auto* button = MakeButton(formulaGroup, variable.id, variable.name);
        const QString name = variable.name;
        connect(button, &QPushButton::clicked, this, [this, name] { Insert(name); });
        buttonGrid->addWidget(button, slot / kButtonColumns, slot % kButtonColumns);
        ++slot;
    }
    auto* help = new QLabel(texts.help, formulaGroup);
    auto* formulaLayout = new QVBoxLayout(formulaGroup);
    formulaLayout->addWidget(m_pEdit);
    formulaLayout->addLayout(buttonGrid);
    formulaLayout->addWidget(help);

    auto* listGroup = new QGroupBox(texts.listGroup, this);
    m_pList = new QListWidget(listGroup);
    m_pList->setObjectName(QStringLiteral("list1063"));
    m_pList->setAccessibleName(QString(texts.listGroup).remove(u'&'));
    m_pList->setSortingEnabled(true);
    m_pList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_pDelete = MakeButton(listGroup, 1035, tr("DEL"));
    m_pGet = MakeButton(listGroup, 1065, tr("GET"));
    m_pAdd = MakeButton(listGroup, 1036, tr("ADD"));
    auto* listButtons = new QHBoxLayout;
    listButtons->addWidget(m_pDelete);
    listButtons->addWidget(m_pGet);
    listButtons->addWidget(m_pAdd);
    listButtons->addStretch();
    auto* listLayout = new QVBoxLayout(listGroup);
    listLayout->addWidget(m_pList);
    listLayout->addLayout(listButtons);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("buttonOk"));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("buttonCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CFormulaDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    m_pExtra = new QVBoxLayout;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(formulaGroup);
    layout->addLayout(m_pExtra);
    layout->addWidget(listGroup, 1);
    layout->addWidget(buttons);

    connect(m_pEdit, &QPlainTextEdit::textChanged, this,
            [this] { m_pAdd->setEnabled(!m_pEdit->document()->isEmpty()); });
    connect(m_pList, &QListWidget::itemSelectionChanged, this, &CFormulaDlg::UpdateListButtons);
    connect(m_pAdd, &QPushButton::clicked, this, &CFormulaDlg::OnAdd);
    connect(m_pDelete, &QPushButton::clicked, this, &CFormulaDlg::OnDelete);
    connect(m_pGet, &QPushButton::clicked, this, &CFormulaDlg::OnGet);
}

void CFormulaDlg::Insert(const QString& name, const QString& placeholder) {
    const QString text = placeholder.isEmpty() ? name : name + u'(' + placeholder + u')';
    QTextCursor cursor = m_pEdit->textCursor();
    cursor.insertText(text);
    if (!placeholder.isEmpty()) {
        const int end = cursor.position();
        cursor.setPosition(end - static_cast<int>(placeholder.size()) - 1);
        cursor.setPosition(end - 1, QTextCursor::KeepAnchor);
    }
    m_pEdit->setTextCursor(cursor);
    m_pEdit->ensureCursorVisible();
    m_pEdit->setFocus();
}

void CFormulaDlg::DoDataExchange(bool save) {
    if (!save) {
        SetEditFormula(m_strFormula);
        return;
    }
    m_strFormula = EditFormula();
    m_recentList.RemoveAll();
    for (int row = 0; row < m_pList->count(); ++row)
        m_recentList.Add(m_pList->item(row)->text().toStdString());
}

void CFormulaDlg::showEvent(QShowEvent* event) {
    if (!m_bInitialised) {
        m_bInitialised = true;
        OnInitDialog();
    }
    QDialog::showEvent(event);
}

void CFormulaDlg::OnInitDialog() {
    DoDataExchange(false);
    m_pList->clear();
    for (const std::string& item : m_recentList)
        m_pList->addItem(new SortedItem(QString::fromStdString(item)));
    UpdateListButtons();
    m_pAdd->setEnabled(!m_pEdit->document()->isEmpty());
}

void CFormulaDlg::UpdateListButtons() {
    const auto selected = m_pList->selectedItems().size();
    m_pDelete->setEnabled(selected >= 1);
    m_pGet->setEnabled(selected == 1);
}

void CFormulaDlg::OnAdd() {
    auto* item = new SortedItem(QString::fromStdString(EditFormula()));
    m_pList->addItem(item);
    m_pList->clearSelection();
    item->setSelected(true);
    m_pList->scrollToItem(item);
}

void CFormulaDlg::OnDelete() {
    std::vector<int> rows;
    for (const QListWidgetItem* item : m_pList->selectedItems())
        rows.push_back(m_pList->row(item));
    if (rows.empty() || !AskDialogYesNo(this, str::DeleteFormulas))
        return;
    std::sort(rows.rbegin(), rows.rend());
    for (int row : rows)
        delete m_pList->takeItem(row);
}

void CFormulaDlg::OnGet() {
    const QList<QListWidgetItem*> selected = m_pList->selectedItems();
    if (selected.size() != 1)
        return;
    if (!m_pEdit->document()->isEmpty() && !AskDialogYesNo(this, str::OverwriteFormula))
        return;
    SetEditFormula(selected.front()->text().toStdString());
}

void CFormulaDlg::accept() {
    // A formula the evaluator would refuse is not taken (it could cost unbounded time).
    if (CFormulaEvaluator::IsTooLong(EditFormula())) {
        ShowDialogWarning(this, QString::fromStdString(LoadString(str::FormulaTooLong)));
        m_pEdit->setFocus();
        return;
    }
    DoDataExchange(true);
    QDialog::accept();
}

void CFormulaDlg::SetEditFormula(const std::string& formula) {
    m_pEdit->setPlainText(QString::fromStdString(FormulaToLines(formula, "\n")));
}

std::string CFormulaDlg::EditFormula() const {
    return LinesToFormula(m_pEdit->toPlainText().toStdString());
}
