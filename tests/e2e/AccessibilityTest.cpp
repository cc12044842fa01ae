// Every control a person can reach with the keyboard has a name a screen reader announces: the
// main window with both pages and the measurement pane, and every dialog.
#include "calc/AltitudeFormulaDlg.h"
#include "calc/FormulaSetDlg.h"
#include "calc/PressureFormulaDlg.h"
#include "calc/UserFormulaDlg.h"
#include "chart/ChartCustomizeDialog.h"
#include "chart/ChartPropertyStore.h"
#include "data/Annotation.h"
#include "data/DataBlock.h"
#include "data/ReadDataDlg.h"
#include "framework/CommandIds.h"
#include "framework/MemoryRegistryStore.h"
#include "pages/EditAnnotationDlg.h"
#include "pages/FlightAnnotationsDlg.h"
#include "pages/SaveGraphImageDlg.h"
#include "shell/AboutDlg.h"
#include "shell/MainApp.h"
#include "shell/MainDoc.h"
#include "shell/MainDocFiles.h"
#include "shell/OptionsDlg.h"
#include "shell/PortSettingsDlg.h"
#include "shell/ProjectPanes.h"
#include "shell/QtUiServices.h"
#include "text/FindReplaceDlg.h"

#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {
// The keyboard-reachable controls under root, shown or not, that have no accessible name. The
// inner editors of spin and combo boxes speak through their owner and are not counted.
QStringList Unnamed(QWidget& root) {
    QStringList missing;
    for (QWidget* w : root.findChildren<QWidget*>()) {
        if (!(w->focusPolicy() & Qt::TabFocus) || w->focusProxy() || w->window() != root.window() ||
            qobject_cast<QAbstractSpinBox*>(w->parentWidget()) ||
            qobject_cast<QComboBox*>(w->parentWidget()))
            continue;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(w);
        if (!accessible || accessible->text(QAccessible::Name).trimmed().isEmpty())
            missing << QStringLiteral("%1 '%2' in %3")
                           .arg(QString::fromLatin1(w->metaObject()->className()), w->objectName(),
                                QString::fromLatin1(w->parentWidget()->metaObject()->className()));
    }
    return missing;
}

void Settle() {
    for (int i = 0; i < 6; ++i)
        QCoreApplication::processEvents();
}
} // namespace

TEST(Accessibility, EveryControlOfTheMainWindowAndTheDialogsHasAName) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    CQtUiServices ui;
    CMainDoc doc{&ui};
    CMainDocFiles files{doc};
    auto app = std::make_unique<CMainApp>(doc, files, MakeProjectPanes(doc));
    ASSERT_TRUE(app->InitInstance(QString()));
    CMainFrame& frame = *app->GetMainFrame();
    ASSERT_NE(frame.GetTrackPane(true), nullptr);
    Settle();
    EXPECT_EQ(Unnamed(frame).join(u'\n').toStdString(), "") << "main window";

    CDataBlock flight;
    CAnnotation annotation;
    MemoryRegistryStore registry;
    CChartPropertyStore chartStore;
    const DocumentSettings settings;
    const std::pair<const char*, std::function<std::unique_ptr<QWidget>()>> kDialogs[] = {
        {"about", [] { return std::make_unique<CAboutDlg>(); }},
        {"options", [&] { return std::make_unique<COptionsDlg>(settings, &registry); }},
        {"port settings",
         [] { return std::make_unique<CPortSettingsDlg>(CPortSetupBlock{}, QString()); }},
        {"formulas", [&] { return std::make_unique<CFormulaSetDlg>(&registry); }},
        {"pressure formula", [] { return std::make_unique<CPressureFormulaDlg>(); }},
        {"altitude formula", [] { return std::make_unique<CAltitudeFormulaDlg>(); }},
        {"user formula", [] { return std::make_unique<CUserFormulaDlg>(); }},
        {"read data", [] { return std::make_unique<CReadDataDlg>(); }},
        {"flight annotations",
         [&] { return std::make_unique<CFlightAnnotationsDlg>(flight, QString()); }},
        {"edit annotation", [&] { return std::make_unique<CEditAnnotationDlg>(annotation); }},
        {"save picture", [&] { return std::make_unique<CSaveGraphImageDlg>(&ui); }},
        {"graph settings", [&] { return std::make_unique<CChartCustomizeDialog>(chartStore); }},
        {"find and replace", [] { return std::make_unique<CFindReplaceDlg>(); }},
    };
    for (const auto& [name, make] : kDialogs) {
        const std::unique_ptr<QWidget> dialog = make();
        EXPECT_EQ(Unnamed(*dialog).join(u'\n').toStdString(), "") << name;
    }
    doc.SetModifiedFlag(false);
}
