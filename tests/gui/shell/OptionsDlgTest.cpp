#include "shell/OptionsDlg.h"

#include "calc/ModalScript.h"
#include "calc/RecentFormulaLists.h"
#include "framework/MemoryRegistryStore.h"
#include "shell/MainDoc.h"
#include "shell/PortSettingsDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#ifdef __linux__
#include "../../core/support/PtyPair.h"
#endif

namespace {
constexpr const char* kOptions = "Software\\Tervane\\Kubo\\Options";

DocumentSettings SampleSettings() {
    DocumentSettings settings;
    settings.pressureFormula = "(X/147.456)+10.555555";
    settings.altitudeFormula = "ln(PA/PR) * (-29.153) * 293";
    settings.portIndex = 2;
    settings.portName = "/dev/ttyUSB1";
    settings.showFeet = 1;
    settings.portSetup.SetBaudRate(4800);
    return settings;
}

bool SameSettings(const DocumentSettings& a, const DocumentSettings& b) {
    return a.pressureFormula == b.pressureFormula && a.altitudeFormula == b.altitudeFormula &&
           a.portIndex == b.portIndex && a.portName == b.portName && a.showFeet == b.showFeet &&
           a.portSetup == b.portSetup && a.saveAsDefault == b.saveAsDefault;
}

std::optional<RegValue> UserValue(const MemoryRegistryStore& store, std::string_view name) {
    return store.Get(RegRoot::CurrentUser, kOptions, name);
}

class OptionsDlgTest : public ::testing::Test {
protected:
    void SetUp() override { ProcessRecentListDefaults() = {}; }
    void TearDown() override { ProcessRecentListDefaults() = {}; }
    MemoryRegistryStore store;
};
} // namespace

TEST_F(OptionsDlgTest, ConfirmingGivesBackWhatWasShownAndWhatWasChanged) {
    const DocumentSettings original = SampleSettings();
    COptionsDlg dialog(original, &store);
    dialog.SetAvailableDevices({QStringLiteral("/dev/ttyS0"), QStringLiteral("/dev/ttyUSB1")});
    dialog.show();
    EXPECT_TRUE(dialog.FeetBox()->isChecked());
    EXPECT_TRUE(dialog.SaveAsDefaultBox()->isChecked());
    EXPECT_EQ(dialog.PressureBox()->currentText().toStdString(), original.pressureFormula);
    if (dialog.DeviceEdit()) {
        EXPECT_EQ(dialog.DeviceEdit()->text(), QStringLiteral("/dev/ttyUSB1"));
        EXPECT_EQ(dialog.PortBox()->currentIndex(), 1);
    } else {
        EXPECT_EQ(dialog.PortBox()->currentText(), QStringLiteral("COM3"));
    }
    dialog.accept();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(SameSettings(dialog.Settings(), original));

    COptionsDlg changed(original, &store);
    changed.SetAvailableDevices({QStringLiteral("/dev/ttyS0"), QStringLiteral("/dev/ttyUSB1")});
    changed.show();
    changed.FeetBox()->setChecked(false);
    changed.SaveAsDefaultBox()->setChecked(false);
    changed.AltitudeBox()->setEditText(QStringLiteral("PA-PR"));
    if (changed.DeviceEdit()) {
        // Picking a listed device fills the device field; typing selects a matching entry.
        changed.PortBox()->setCurrentIndex(0);
        Q_EMIT changed.PortBox()->activated(0);
        EXPECT_EQ(changed.DeviceEdit()->text(), QStringLiteral("/dev/ttyS0"));
        changed.DeviceEdit()->setText(QString());
        QTest::keyClicks(changed.DeviceEdit(), QStringLiteral("/dev/pts/7"));
        EXPECT_EQ(changed.PortBox()->currentIndex(), -1);
    } else {
        changed.PortBox()->setCurrentIndex(0);
    }
    changed.accept();
    const DocumentSettings& out = changed.Settings();
    EXPECT_EQ(out.showFeet, 0u);
    EXPECT_FALSE(out.saveAsDefault);
    EXPECT_EQ(out.altitudeFormula, "PA-PR");
    if (changed.DeviceEdit()) {
        EXPECT_EQ(out.portName, "/dev/pts/7");
        EXPECT_EQ(out.portIndex, original.portIndex);
    } else {
        EXPECT_EQ(out.portIndex, 0u);
    }
    // The first OK (saving as default) added its formula; the second one added nothing.
    EXPECT_EQ(UserValue(store, "MRU_Formulas_Altitude"), RegValue(original.altitudeFormula));
}

#ifdef __linux__
TEST_F(OptionsDlgTest, PseudoTerminalsAreOfferedAndAnEmptyDeviceShowsTheOneAReadOpens) {
    PtyPair pty;
    ASSERT_TRUE(pty.IsOpen());
    EXPECT_TRUE(
        COptionsDlg::PresentSerialDevices().contains(QString::fromStdString(pty.SlaveName())));
    DocumentSettings settings = SampleSettings();
    settings.portName.clear();
    COptionsDlg dialog(settings, &store);
    ASSERT_NE(dialog.DeviceEdit(), nullptr);
    EXPECT_EQ(dialog.DeviceEdit()->placeholderText().toStdString(),
              CMainDoc::PortDevice(settings.portIndex, {}));
}
#endif

TEST_F(OptionsDlgTest, CancelAfterConfirmedSetupChangesNothing) {
    const DocumentSettings original = SampleSettings();
    DocumentSettings settings = original;
    OnNextModal([](QWidget* modal) {
        auto* options = qobject_cast<COptionsDlg*>(modal);
        ASSERT_NE(options, nullptr);
        OnNextModal([](QWidget* inner) {
            auto* port = qobject_cast<CPortSettingsDlg*>(inner);
            ASSERT_NE(port, nullptr);
            port->BaudRateBox()->setCurrentIndex(port->BaudRateBox()->findText("115200"));
            port->accept();
        });
        options->SetupButton()->click();
        EXPECT_EQ(options->Settings().portSetup.GetBaudRate(), 115200u);
        options->FeetBox()->setChecked(false);
        options->reject();
    });
    EXPECT_FALSE(RunOptionsDialog(nullptr, settings, &store));
    EXPECT_TRUE(SameSettings(settings, original));
    EXPECT_EQ(store.GetWriteCount(), 0);
}

TEST_F(OptionsDlgTest, SetupCancelledKeepsTheCopy) {
    COptionsDlg dialog(SampleSettings(), &store);
    dialog.show();
    OnNextModal([](QWidget* inner) {
        auto* port = qobject_cast<CPortSettingsDlg*>(inner);
        ASSERT_NE(port, nullptr);
        port->BaudRateBox()->setCurrentIndex(0);
        port->reject();
    });
    dialog.OnSetup();
    EXPECT_EQ(dialog.Settings().portSetup, SampleSettings().portSetup);
}

TEST_F(OptionsDlgTest, InvalidFormulaKeepsTheDialogOpen) {
    COptionsDlg dialog(SampleSettings(), &store);
    dialog.show();
    dialog.PressureBox()->setEditText(QStringLiteral("X/"));
    AnswerNextMessage(QMessageBox::Ok);
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Settings().pressureFormula, SampleSettings().pressureFormula);
    // Nothing was added to the recently used lists.
    EXPECT_FALSE(UserValue(store, "MRU_Formulas_Pressure"));
}

TEST_F(OptionsDlgTest, SaveAsDefaultAppendsEachFormulaOnce) {
    store.Put(RegRoot::CurrentUser, kOptions, "MRU_Formulas_Pressure", std::string("X"));
    for (int run = 0; run < 2; ++run) {
        COptionsDlg dialog(SampleSettings(), &store);
        dialog.show();
        dialog.accept();
        ASSERT_EQ(dialog.result(), QDialog::Accepted);
    }
    EXPECT_EQ(UserValue(store, "MRU_Formulas_Pressure"),
              RegValue(std::string("X\n(X/147.456)+10.555555")));
    EXPECT_EQ(UserValue(store, "MRU_Formulas_Altitude"),
              RegValue(std::string("ln(PA/PR) * (-29.153) * 293")));

    // The next Options dialog offers them.
    COptionsDlg next(SampleSettings(), &store);
    next.show();
    EXPECT_EQ(next.PressureBox()->count(), 2);
    EXPECT_EQ(next.AltitudeBox()->count(), 1);
}

TEST_F(OptionsDlgTest, TabOrderFollowsTheLayout) {
    COptionsDlg dialog(SampleSettings(), &store);
    dialog.show();
    auto next = [](QWidget* widget) {
        for (QWidget* w = widget->nextInFocusChain(); w != widget; w = w->nextInFocusChain())
            if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(widget->window()) &&
                w->isEnabled() && !w->focusProxy())
                return w;
        return widget;
    };
    EXPECT_EQ(next(dialog.PortBox()), dialog.SetupButton());
    if (dialog.DeviceEdit()) {
        EXPECT_EQ(next(dialog.SetupButton()), dialog.DeviceEdit());
        EXPECT_EQ(next(dialog.DeviceEdit()), dialog.PressureBox());
    }
    EXPECT_EQ(next(dialog.FeetBox()), dialog.SaveAsDefaultBox());
}
