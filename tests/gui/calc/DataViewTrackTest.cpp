#include "calc/DataViewTrack.h"

#include "../../core/support/FakeUi.h"
#include "calc/ModalScript.h"
#include "calc/UserFormulaDlg.h"
#include "framework/Hints.h"
#include "framework/MemoryRegistryStore.h"
#include "framework/Registry.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"
#include "shell/MainDoc.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {
constexpr std::string_view kOptions = "Software\\Tervane\\Kubo\\Options";

QString EditText(const QWidget& pane, int id) {
    const auto* edit = pane.findChild<QLineEdit*>(QStringLiteral("edit%1").arg(id));
    return edit ? edit->text() : QStringLiteral("<no edit %1>").arg(id);
}

std::string UserString(const MemoryRegistryStore& store, std::string_view name) {
    const std::optional<RegValue> value = store.Get(RegRoot::CurrentUser, kOptions, name);
    return value && std::holds_alternative<std::string>(*value) ? std::get<std::string>(*value)
                                                                : "<absent>";
}

// Plays the user formula dialog: formula and title typed, the formula added to the list,
// "Save as default" as given, then OK.
void AnswerUserFormula(const QString& formula, const QString& title, bool saveAsDefault) {
    OnNextModal([=](QWidget* widget) {
        auto* dialog = qobject_cast<CUserFormulaDlg*>(widget);
        ASSERT_NE(dialog, nullptr);
        dialog->FormulaEdit()->setPlainText(formula);
        dialog->TitleEdit()->setText(title);
        dialog->SaveAsDefaultBox()->setChecked(saveAsDefault);
        dialog->AddButton()->click();
        dialog->accept();
    });
}
} // namespace

TEST(DataViewTrack, ShowsTheMeasurementAndCopiesTheSummary) {
    FakeUi ui;
    CMainDoc doc(&ui);
    doc.SetUserFormula(1, "DA/DT");
    doc.SetUserTitle(1, "Climb");
    doc.SetUserFormula(2, "1/0");
    CDataViewTrack pane;
    doc.AddView(&pane);
    int divisor = 60;
    pane.SetTimeDivisorSource([&divisor] { return divisor; });

    pane.SetFromPoint({1.5, 350});
    EXPECT_EQ(EditText(pane, 1054), QStringLiteral("1 min 30.0 sec")) << "To follows From";
    divisor = 1;
    pane.ScaleTimes(60.0);
    pane.SetToPoint({150, 420.5});
    EXPECT_EQ(EditText(pane, 1052), QStringLiteral("1 min 30.0 sec"));
    EXPECT_EQ(EditText(pane, 1055), QStringLiteral("420.5 m"));
    EXPECT_EQ(EditText(pane, 1056), QStringLiteral("60.0 sec"));
    EXPECT_EQ(EditText(pane, 1057), QStringLiteral("70.5 m"));
    EXPECT_EQ(EditText(pane, 1058), QStringLiteral("1.175"));
    EXPECT_EQ(EditText(pane, 1060), QStringLiteral("error"));
    EXPECT_EQ(pane.findChild<QLabel*>(QStringLiteral("static1071"))->text(),
              QStringLiteral("User  Calculation:"));

    pane.findChild<QPushButton*>(QStringLiteral("button1014"))->click();
    EXPECT_EQ(QApplication::clipboard()->text(),
              QStringLiteral("Measurement: [1 min 30.0 sec, 350.0 m] -> [2 min 30.0 sec, 420.5 m]; "
                             "Delta: [60.0 sec, 70.5 m]\nClimb: 1.175\n"));

    auto* info = pane.findChild<QPushButton*>(QStringLiteral("button1013"));
    EXPECT_FALSE(info->isEnabled()) << "no Information page to copy to";
    std::string sent;
    bool taken = true;
    pane.SetInfoSink([&](const std::string& text) {
        sent = text;
        return taken;
    });
    info->click();
    EXPECT_EQ(sent, pane.BuildSummary());
    EXPECT_TRUE(ui.Messages().empty());
    taken = false; // no comments open for editing: the user is told
    info->click();
    ASSERT_EQ(ui.Messages().size(), 1U);
    EXPECT_EQ(ui.Messages()[0].text, LoadString(str::MeasurementNotCopied));

    QSignalSpy closing(&pane, &CDataViewTrack::closeRequested);
    doc.UpdateAllViews(nullptr, HINT_GRAPH_DATA);
    EXPECT_EQ(closing.count(), 0);
    doc.DeleteContents();
    EXPECT_EQ(closing.count(), 1);
}

TEST(DataViewTrack, UserFormulaDialogsKeepTheRegistry) {
    MemoryRegistryStore store;
    store.Put(RegRoot::CurrentUser, kOptions, "MRU_Formulas_User", std::string("T1+T2"));
    CMainDoc doc(nullptr, &store);
    CDataViewTrack pane;
    doc.AddView(&pane);

    AnswerUserFormula(QStringLiteral("DA/DT"), QStringLiteral("Climb"), true);
    pane.DefineUserFormula(1);
    EXPECT_EQ(doc.GetUserFormula(1), "DA/DT");
    EXPECT_EQ(doc.GetUserTitle(1), "Climb");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(UserString(store, "Formula_User1"), "DA/DT");
    EXPECT_EQ(UserString(store, "Formula_User1t"), "Climb");
    EXPECT_EQ(UserString(store, "MRU_Formulas_User"), "DA/DT\nT1+T2");

    AnswerUserFormula(QStringLiteral("A2"), QStringLiteral("Top"), false);
    pane.DefineUserFormula(2);
    EXPECT_EQ(doc.GetUserFormula(2), "A2");
    EXPECT_EQ(UserString(store, "Formula_User2"), "<absent>");
    EXPECT_EQ(UserString(store, "MRU_Formulas_User"), "A2\nDA/DT\nT1+T2");

    // The next document starts from the saved defaults.
    CMainDoc next(nullptr, &store);
    EXPECT_EQ(next.GetUserFormula(1), "DA/DT");
    EXPECT_EQ(next.GetUserTitle(1), "Climb");
    EXPECT_EQ(next.GetUserFormula(2), "");
}

TEST(DataViewTrack, MarkersAreRedCrossesInsideThePlotOnly) {
    CDataViewTrack pane;
    pane.SetFromPoint({10, 10});
    pane.SetToPoint({90, 10});
    QImage image(100, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const QRect plot(0, 0, 60, 40);
    pane.DrawMarkers(
        painter, [](const MeasurementPoint& p) { return QPoint(int(p.time), int(p.altitude) * 2); },
        image.rect(), plot);
    painter.end();
    const QRgb red = qRgb(255, 0, 0);
    EXPECT_EQ(image.pixel(0, 20), red);
    EXPECT_EQ(image.pixel(18, 20), red);
    EXPECT_NE(image.pixel(19, 21), red);
    EXPECT_EQ(image.pixel(10, 10), red);
    EXPECT_EQ(image.pixel(10, 28), red);
    EXPECT_NE(image.pixel(11, 29), red);
    // To lies outside the plotting rectangle: no cross.
    EXPECT_NE(image.pixel(90, 20), red);
    EXPECT_NE(image.pixel(85, 20), red);
}
