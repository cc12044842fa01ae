#include "calc/FormulaSetDlg.h"

#include "calc/FormulaDlg.h"
#include "calc/ModalScript.h"
#include "calc/RecentFormulaLists.h"
#include "framework/MemoryRegistryStore.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {
constexpr const char* kOptions = "Software\\Tervane\\Kubo\\Options";

QStringList Items(const QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items.append(box->itemText(i));
    return items;
}

std::optional<std::string> UserString(const MemoryRegistryStore& store, std::string_view name) {
    auto value = store.Get(RegRoot::CurrentUser, kOptions, name);
    if (!value)
        return std::nullopt;
    return std::get<std::string>(*value);
}

bool FocusIn(const QWidget& dialog, const QComboBox* box) {
    const QWidget* focus = dialog.focusWidget();
    return focus && (focus == box || focus == static_cast<const QWidget*>(box->lineEdit()));
}

class FormulaSetDlgTest : public ::testing::Test {
protected:
    // The machine defaults are read once per process; each test starts without them.
    void SetUp() override { ProcessRecentListDefaults() = {}; }
    void TearDown() override { ProcessRecentListDefaults() = {}; }

    MemoryRegistryStore store;
};
} // namespace

TEST_F(FormulaSetDlgTest, OpensWithTheCreatorsFormulasAndTheStoredLists) {
    {
        CFormulaSetDlg empty(&store);
        empty.m_strPressureFormula = "X";
        empty.m_strAltitudeFormula = "PA-PR";
        empty.show();
        EXPECT_EQ(empty.PressureBox()->count(), 0);
        EXPECT_EQ(empty.AltitudeBox()->count(), 0);
        EXPECT_EQ(empty.PressureBox()->currentText(), QStringLiteral("X"));
        EXPECT_EQ(empty.AltitudeBox()->currentText(), QStringLiteral("PA-PR"));
    }
    store.Put(RegRoot::CurrentUser, kOptions, "MRU_Formulas_Altitude", std::string("a1\n\na2"));
    store.Put(RegRoot::LocalMachine, kOptions, "MRU_Formulas_Pressure", std::string("m1\nm2"));
    ProcessRecentListDefaults() = {};
    CFormulaSetDlg dialog(&store);
    dialog.m_strPressureFormula = "X/2";
    dialog.show();
    EXPECT_EQ(Items(dialog.AltitudeBox()), (QStringList{"a1", "", "a2"}));
    // No user list: the machine's list stands in.
    EXPECT_EQ(Items(dialog.PressureBox()), (QStringList{"m1", "m2"}));
    EXPECT_EQ(dialog.PressureBox()->currentText(), QStringLiteral("X/2"));
}

TEST_F(FormulaSetDlgTest, InvalidFormulaKeepsTheDialogOpenWithItsMessage) {
    CFormulaSetDlg dialog(&store);
    dialog.m_strPressureFormula = "X/0";
    dialog.m_strAltitudeFormula = "ln(PA/PX)";
    dialog.show();

    std::string message;
    AnswerNextMessage(QMessageBox::Ok, &message);
    dialog.accept();
    EXPECT_EQ(message,
              FormatString1(str::InvalidPressureFormula, LoadString(str::FormulaDivisionByZero)));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(FocusIn(dialog, dialog.PressureBox()));

    dialog.PressureBox()->setEditText(QStringLiteral("(X/147.456)+10.555555"));
    AnswerNextMessage(QMessageBox::Ok, &message);
    dialog.accept();
    EXPECT_EQ(message, FormatString1(str::InvalidAltitudeFormula,
                                     FormatString2(str::FormulaUnknownVariable, "7", "PX")));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(FocusIn(dialog, dialog.AltitudeBox()));
    // The caller's texts change only when the whole exchange succeeds.
    EXPECT_EQ(dialog.m_strPressureFormula, "X/0");
    EXPECT_EQ(dialog.m_strAltitudeFormula, "ln(PA/PX)");

    dialog.AltitudeBox()->setEditText(QStringLiteral("PA-PR"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.m_strPressureFormula, "(X/147.456)+10.555555");
    EXPECT_EQ(dialog.m_strAltitudeFormula, "PA-PR");
}

TEST_F(FormulaSetDlgTest, FormulaDialogEditsTheListAndTheBox) {
    store.Put(RegRoot::CurrentUser, kOptions, "MRU_Formulas_Pressure", std::string("X/3\nX/1"));
    CFormulaSetDlg dialog(&store);
    dialog.m_strPressureFormula = "X/2";
    dialog.show();

    OnNextModal([](QWidget* modal) {
        auto* editor = qobject_cast<CFormulaDlg*>(modal);
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->objectName(), QStringLiteral("dialog495"));
        EXPECT_EQ(editor->FormulaEdit()->toPlainText(), QStringLiteral("X/2"));
        EXPECT_EQ(editor->ListBox()->count(), 2);
        editor->AddButton()->click();
        editor->FormulaEdit()->setPlainText(QStringLiteral("X*4"));
        editor->accept();
    });
    dialog.PressureDialogButton()->click();
    // Written in the list box's sorted order.
    EXPECT_EQ(UserString(store, "MRU_Formulas_Pressure"), "X/1\nX/2\nX/3");
    EXPECT_EQ(Items(dialog.PressureBox()), (QStringList{"X/1", "X/2", "X/3"}));
    EXPECT_EQ(dialog.PressureBox()->currentText(), QStringLiteral("X*4"));

    // Cancel writes nothing and leaves the box.
    OnNextModal([](QWidget* modal) {
        auto* editor = qobject_cast<CFormulaDlg*>(modal);
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->objectName(), QStringLiteral("dialog496"));
        editor->AddButton()->click();
        editor->reject();
    });
    dialog.AltitudeBox()->setEditText(QStringLiteral("PA"));
    dialog.AltitudeDialogButton()->click();
    EXPECT_FALSE(UserString(store, "MRU_Formulas_Altitude"));
    EXPECT_EQ(dialog.AltitudeBox()->count(), 0);
    EXPECT_EQ(dialog.AltitudeBox()->currentText(), QStringLiteral("PA"));
}

TEST_F(FormulaSetDlgTest, WithoutRegistryListsStayEmptyAndOkStillWorks) {
    CFormulaSetDlg dialog(nullptr);
    dialog.m_strPressureFormula = "X";
    dialog.m_strAltitudeFormula = "PA/PR";
    dialog.show();
    dialog.AppendFormulasToRecentLists();
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}
