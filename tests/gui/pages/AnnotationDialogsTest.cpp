#include "calc/ModalScript.h"
#include "data/Annotation.h"
#include "data/DataBlock.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"
#include "pages/EditAnnotationDlg.h"
#include "pages/FlightAnnotationsDlg.h"
#include "widgets/ColourPicker.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTimer>

#include <gtest/gtest.h>

namespace {
CAnnotation* Add(CDataBlock& flight, int kind, const std::string& text) {
    auto annotation = std::make_unique<CAnnotation>(&flight);
    annotation->m_nKind = kind;
    annotation->m_strText = text;
    CAnnotation* added = annotation.get();
    flight.AppendAnnotation(std::move(annotation));
    return added;
}

QStringList ListTexts(const QListWidget* list) {
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts.append(list->item(row)->text());
    return texts;
}

template <class T>
T* Child(QWidget& parent, const QString& name) {
    T* child = parent.findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name.toStdString();
    return child;
}

// Clicks the named button of the next colour picker that pops up.
void PickNextColour(const QString& button) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, button] {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            timer->stop();
            timer->deleteLater();
            if (auto* target = popup->findChild<QAbstractButton*>(button))
                target->click();
        }
    });
    timer->start();
}
} // namespace

TEST(FlightAnnotationsDlg, KindChangeMovesTheAnnotationToItsTab) {
    CDataBlock flight;
    Add(flight, CAnnotation::kDataPoint, "b point");
    CAnnotation* moved = Add(flight, CAnnotation::kDataPoint, "a point");
    Add(flight, CAnnotation::kVerticalLine, "line");
    CFlightAnnotationsDlg dialog(flight, QStringLiteral("Flight Annotations (F)"));
    EXPECT_EQ(dialog.Tabs()->currentIndex(), CAnnotation::kDataPoint);
    EXPECT_EQ(ListTexts(dialog.List()), (QStringList{" a point", " b point"})) << "sorted";
    EXPECT_TRUE(dialog.CancelButton()->isEnabled());

    dialog.List()->item(0)->setSelected(true);
    OnNextModal([](QWidget* widget) {
        auto* edit = qobject_cast<CEditAnnotationDlg*>(widget);
        ASSERT_NE(edit, nullptr);
        auto* style = Child<QComboBox>(*edit, QStringLiteral("combo1039"));
        style->setCurrentIndex(5);
        Child<QRadioButton>(*edit, QStringLiteral("radio1032"))->click();
        // A kind change starts the lists over, at the new kind's first entries.
        EXPECT_EQ(style->currentIndex(), 0);
        EXPECT_EQ(style->currentText(), QStringLiteral("Thin Solid Line"));
        EXPECT_EQ(Child<QRadioButton>(*edit, QStringLiteral("radio1032"))->text(),
                  QStringLiteral("Vertical"));
        edit->accept();
    });
    dialog.OnEdit();
    EXPECT_EQ(moved->m_nKind, CAnnotation::kVerticalLine);
    EXPECT_EQ(dialog.Tabs()->currentIndex(), CAnnotation::kVerticalLine);
    EXPECT_EQ(ListTexts(dialog.List()), (QStringList{" a point", " line"}));
    ASSERT_EQ(dialog.List()->selectedItems().size(), 1);
    EXPECT_EQ(CFlightAnnotationsDlg::ItemAnnotation(dialog.List()->selectedItems().front()), moved);
    EXPECT_FALSE(dialog.CancelButton()->isEnabled());
}

TEST(FlightAnnotationsDlg, CheckMarksAreStoredOnTabChangeButNotOnCancel) {
    CDataBlock flight;
    CAnnotation* point = Add(flight, CAnnotation::kDataPoint, "point");
    Add(flight, CAnnotation::kHorizontalLine, "line");
    {
        CFlightAnnotationsDlg dialog(flight, {});
        dialog.List()->item(0)->setCheckState(Qt::Unchecked);
        dialog.reject();
    }
    EXPECT_TRUE(point->m_bVisible);
    CFlightAnnotationsDlg dialog(flight, {});
    dialog.List()->item(0)->setCheckState(Qt::Unchecked);
    dialog.Tabs()->setCurrentIndex(CAnnotation::kHorizontalLine);
    EXPECT_FALSE(point->m_bVisible);
    EXPECT_EQ(ListTexts(dialog.List()), (QStringList{" line"}));
}

TEST(FlightAnnotationsDlg, DeletingThreeAsksOnce) {
    CDataBlock flight;
    for (const char* text : {"one", "two", "three"})
        Add(flight, CAnnotation::kDataPoint, text);
    Add(flight, CAnnotation::kHorizontalLine, "kept");
    CFlightAnnotationsDlg dialog(flight, {});
    dialog.List()->selectAll();
    std::string asked;
    AnswerNextMessage(QMessageBox::Yes, &asked);
    dialog.OnDelete();
    EXPECT_EQ(asked, LoadString(str::DeleteAnnotations));
    EXPECT_EQ(dialog.List()->count(), 0);
    ASSERT_EQ(flight.GetAnnotations().GetCount(), 1);
    EXPECT_EQ(flight.GetAnnotations().GetHead()->m_strText, "kept");
    EXPECT_FALSE(dialog.CancelButton()->isEnabled());
}

TEST(EditAnnotationDlg, ABadTimeStoresTheFieldsBeforeItAndNotTheColour) {
    CDataBlock flight;
    CAnnotation* annotation = Add(flight, CAnnotation::kVerticalLine, "old");
    annotation->m_dTime = 12.34;
    CEditAnnotationDlg dialog(*annotation);
    EXPECT_EQ(Child<QLineEdit>(dialog, QStringLiteral("edit1034"))->text(),
              QStringLiteral("12.3 sec"));
    EXPECT_EQ(annotation->m_dTime, 12.3) << "the rounded time is kept even after Cancel";

    Child<QLineEdit>(dialog, QStringLiteral("edit1006"))->setText(QStringLiteral("new"));
    PickNextColour(QStringLiteral("colour5"));
    Child<QPushButton>(dialog, QStringLiteral("button1013"))->click();
    EXPECT_EQ(dialog.GetColour(), 0x0000FFu) << "red";
    Child<QLineEdit>(dialog, QStringLiteral("edit1034"))->setText(QStringLiteral("5 xyz"));
    std::string message;
    AnswerNextMessage(QMessageBox::Ok, &message);
    dialog.accept();
    EXPECT_EQ(message, "Error in time string near character 5.");
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    dialog.reject();
    EXPECT_EQ(annotation->m_strText, "new");
    EXPECT_EQ(annotation->m_dTime, 5.0);
    EXPECT_EQ(annotation->m_crColour, 0u);
}

TEST(EditAnnotationDlg, ADataMarkersAltitudeIsLeftAlone) {
    CDataBlock flight;
    std::unique_ptr<CAnnotation> marker = CAnnotation::MakeDataMarker(&flight, 1, 30.0);
    marker->m_dAltitude = 123.0;
    CEditAnnotationDlg dialog(*marker);
    auto* altitude = Child<QLineEdit>(dialog, QStringLiteral("edit1029"));
    EXPECT_EQ(altitude->text(), QStringLiteral("Data Marker"));
    EXPECT_FALSE(altitude->isEnabled());
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(marker->m_dAltitude, 123.0);
}
