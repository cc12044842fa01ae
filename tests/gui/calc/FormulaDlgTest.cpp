#include "calc/AltitudeFormulaDlg.h"
#include "calc/ModalScript.h"
#include "calc/PressureFormulaDlg.h"
#include "calc/UserFormulaDlg.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {
QPushButton* Button(QWidget& dialog, int id) {
    auto* button = dialog.findChild<QPushButton*>(QStringLiteral("button%1").arg(id));
    EXPECT_NE(button, nullptr) << id;
    return button;
}

QStringList ListTexts(const QListWidget* list) {
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts.append(list->item(row)->text());
    return texts;
}

void SelectRows(QListWidget* list, std::initializer_list<int> rows) {
    list->clearSelection();
    for (int row : rows)
        list->item(row)->setSelected(true);
}

// The widget Tab moves to from widget.
QWidget* NextTabStop(QWidget* widget) {
    for (QWidget* next = widget->nextInFocusChain(); next != widget;
         next = next->nextInFocusChain())
        if ((next->focusPolicy() & Qt::TabFocus) && next->isVisibleTo(widget->window()) &&
            next->isEnabled())
            return next;
    return widget;
}

void SelectText(QPlainTextEdit* edit, int from, int to) {
    QTextCursor cursor = edit->textCursor();
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    edit->setTextCursor(cursor);
}
} // namespace

TEST(FormulaDlgTest, ButtonsInsertAndSelectThePlaceholder) {
    CPressureFormulaDlg dialog;
    dialog.show();
    QPlainTextEdit* edit = dialog.FormulaEdit();

    Button(dialog, 1013)->click(); // sin
    EXPECT_EQ(edit->toPlainText(), QStringLiteral("sin(x)"));
    EXPECT_EQ(edit->textCursor().selectedText(), QStringLiteral("x"));
    Button(dialog, 1064)->click(); // X replaces the selected placeholder
    EXPECT_EQ(edit->toPlainText(), QStringLiteral("sin(X)"));
    EXPECT_FALSE(edit->textCursor().hasSelection());

    edit->setPlainText(QStringLiteral("90"));
    SelectText(edit, 0, 2);
    Button(dialog, 1029)->click(); // deg
    EXPECT_EQ(edit->toPlainText(), QStringLiteral("deg(rad)"));
    EXPECT_EQ(edit->textCursor().selectedText(), QStringLiteral("rad"));
    QTest::keyClicks(edit, QStringLiteral("1.57"));
    EXPECT_EQ(edit->toPlainText(), QStringLiteral("deg(1.57)"));

    edit->clear();
    Button(dialog, 1030)->click(); // rad takes degrees
    EXPECT_EQ(edit->toPlainText(), QStringLiteral("rad(deg)"));
    EXPECT_EQ(edit->textCursor().selectedText(), QStringLiteral("deg"));
}

TEST(FormulaDlgTest, EachDialogHasItsVariableButtons) {
    CAltitudeFormulaDlg altitude;
    altitude.show();
    Button(altitude, 1033)->click();
    Button(altitude, 1034)->click();
    EXPECT_EQ(altitude.FormulaEdit()->toPlainText(), QStringLiteral("PAPR"));

    CUserFormulaDlg user;
    user.show();
    for (int id : {1033, 1034, 1037, 1038, 1039, 1040})
        Button(user, id)->click();
    EXPECT_EQ(user.FormulaEdit()->toPlainText(), QStringLiteral("T1A1T2A2DTDA"));
    EXPECT_EQ(user.findChild<QPushButton*>(QStringLiteral("button1064")), nullptr);
}

TEST(FormulaDlgTest, StatementsShowOnLinesAndComeBackOnOneLine) {
    CPressureFormulaDlg dialog;
    dialog.m_strFormula = "a=1;b=2;a+b";
    dialog.show();
    EXPECT_EQ(dialog.FormulaEdit()->toPlainText(), QStringLiteral("a=1;\nb=2;\na+b"));
    dialog.FormulaEdit()->appendPlainText(QStringLiteral("+1"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.m_strFormula, "a=1; b=2; a+b +1");
}

TEST(FormulaDlgTest, EnterPressesOkInsteadOfBreakingTheLine) {
    CPressureFormulaDlg dialog;
    dialog.m_strFormula = "X/2";
    dialog.show();
    QTest::keyClick(dialog.FormulaEdit(), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.m_strFormula, "X/2");
}

TEST(FormulaDlgTest, AddKeepsDuplicatesInSortedOrder) {
    CPressureFormulaDlg dialog;
    dialog.m_recentList = {"b", "A", "c"};
    dialog.m_strFormula = "B+1";
    dialog.show();
    QListWidget* list = dialog.ListBox();
    EXPECT_EQ(ListTexts(list), (QStringList{"A", "b", "c"}));

    dialog.AddButton()->click();
    dialog.AddButton()->click();
    EXPECT_EQ(ListTexts(list), (QStringList{"A", "b", "B+1", "B+1", "c"}));
    ASSERT_EQ(list->selectedItems().size(), 1);
    EXPECT_EQ(list->selectedItems().front()->text(), QStringLiteral("B+1"));
    EXPECT_TRUE(dialog.DeleteButton()->isEnabled());
    EXPECT_TRUE(dialog.GetButton()->isEnabled());

    dialog.accept();
    EXPECT_EQ(dialog.m_recentList.Items(), (std::vector<std::string>{"A", "b", "B+1", "B+1", "c"}));
}

TEST(FormulaDlgTest, ButtonStatesFollowEditAndSelection) {
    CPressureFormulaDlg dialog;
    dialog.m_recentList = {"x1", "x2"};
    dialog.show();
    EXPECT_FALSE(dialog.AddButton()->isEnabled());
    EXPECT_FALSE(dialog.DeleteButton()->isEnabled());
    EXPECT_FALSE(dialog.GetButton()->isEnabled());

    QTest::keyClicks(dialog.FormulaEdit(), QStringLiteral("X"));
    EXPECT_TRUE(dialog.AddButton()->isEnabled());
    SelectRows(dialog.ListBox(), {0, 1});
    EXPECT_TRUE(dialog.DeleteButton()->isEnabled());
    EXPECT_FALSE(dialog.GetButton()->isEnabled());
    SelectRows(dialog.ListBox(), {1});
    EXPECT_TRUE(dialog.GetButton()->isEnabled());
    dialog.FormulaEdit()->clear();
    EXPECT_FALSE(dialog.AddButton()->isEnabled());
}

TEST(FormulaDlgTest, GetTakesOneItemAndAsksBeforeOverwriting) {
    CPressureFormulaDlg dialog;
    dialog.m_recentList = {"p1;p2", "q"};
    dialog.show();
    QListWidget* list = dialog.ListBox();

    SelectRows(list, {0, 1});
    dialog.OnGet(); // two selected: nothing, nothing asked
    EXPECT_TRUE(dialog.FormulaEdit()->toPlainText().isEmpty());

    SelectRows(list, {0});
    dialog.OnGet(); // empty edit: taken without asking
    EXPECT_EQ(dialog.FormulaEdit()->toPlainText(), QStringLiteral("p1;\np2"));

    SelectRows(list, {1});
    std::string asked;
    AnswerNextMessage(QMessageBox::No, &asked);
    dialog.OnGet();
    EXPECT_EQ(asked, LoadString(str::OverwriteFormula));
    EXPECT_EQ(dialog.FormulaEdit()->toPlainText(), QStringLiteral("p1;\np2"));

    AnswerNextMessage(QMessageBox::Yes);
    dialog.OnGet();
    EXPECT_EQ(dialog.FormulaEdit()->toPlainText(), QStringLiteral("q"));
}

TEST(FormulaDlgTest, DeleteAsksAndRemovesEverySelectedItem) {
    CPressureFormulaDlg dialog;
    dialog.m_recentList = {"a", "b", "c", "d"};
    dialog.show();
    QListWidget* list = dialog.ListBox();

    list->clearSelection();
    dialog.OnDelete(); // nothing selected: no question (a box would fail the test by hanging)
    EXPECT_EQ(list->count(), 4);

    SelectRows(list, {0, 2, 3});
    AnswerNextMessage(QMessageBox::No);
    dialog.OnDelete();
    EXPECT_EQ(list->count(), 4);

    std::string asked;
    AnswerNextMessage(QMessageBox::Yes, &asked);
    dialog.OnDelete();
    EXPECT_EQ(asked, LoadString(str::DeleteFormulas));
    EXPECT_EQ(ListTexts(list), QStringList{QStringLiteral("b")});
}

TEST(FormulaDlgTest, CancelLeavesTheOpenersData) {
    CPressureFormulaDlg dialog;
    dialog.m_recentList = {"a", "b"};
    dialog.m_strFormula = "X";
    dialog.show();
    QTest::keyClicks(dialog.FormulaEdit(), QStringLiteral("+1"));
    dialog.AddButton()->click();
    SelectRows(dialog.ListBox(), {0});
    AnswerNextMessage(QMessageBox::Yes);
    dialog.OnDelete();
    dialog.reject();
    EXPECT_EQ(dialog.m_recentList.Items(), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(dialog.m_strFormula, "X");
}

// A formula of any length was taken, and cost unbounded time wherever it was evaluated.
TEST(FormulaDlgTest, FormulasLongerThan4096CharactersAreRefused) {
    CPressureFormulaDlg dialog;
    dialog.m_strFormula = "X";
    dialog.show();
    dialog.FormulaEdit()->setPlainText(QString(4097, QLatin1Char('1')));
    std::string message;
    AnswerNextMessage(QMessageBox::Ok, &message);
    dialog.accept();
    EXPECT_EQ(message, "Formula longer than 4096 characters");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.m_strFormula, "X");
    dialog.FormulaEdit()->setPlainText(QString(4096, QLatin1Char('1')));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(FormulaDlgTest, UserDialogExchangesTitleAndSaveFlag) {
    CUserFormulaDlg dialog;
    dialog.m_strTitle = "Climb";
    dialog.m_strFormula = "DA/DT";
    dialog.show();
    EXPECT_EQ(dialog.TitleEdit()->text(), QStringLiteral("Climb"));
    EXPECT_TRUE(dialog.SaveAsDefaultBox()->isChecked());
    dialog.TitleEdit()->setText(QStringLiteral("Rate"));
    dialog.SaveAsDefaultBox()->setChecked(false);
    dialog.accept();
    EXPECT_EQ(dialog.m_strTitle, "Rate");
    EXPECT_FALSE(dialog.m_bSaveAsDefault);
    EXPECT_EQ(dialog.m_strFormula, "DA/DT");
}

TEST(FormulaDlgTest, UserDialogTabsFromTheFormulaToTheTitleToTheList) {
    CUserFormulaDlg dialog;
    dialog.show();
    EXPECT_EQ(NextTabStop(Button(dialog, 1040)), dialog.TitleEdit());
    EXPECT_EQ(NextTabStop(dialog.TitleEdit()), dialog.SaveAsDefaultBox());
    EXPECT_EQ(NextTabStop(dialog.SaveAsDefaultBox()), dialog.ListBox());
}
