#include "shell/PortSettingsDlg.h"

#include <QComboBox>

#include <gtest/gtest.h>

namespace {
void Choose(QComboBox* box, const QString& text) {
    const int index = box->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    box->setCurrentIndex(index);
}

CPortSetupBlock OddBlock() {
    CPortSetupBlock block;
    for (std::size_t i = 0; i < CPortSetupBlock::kSize; ++i)
        block.Bytes()[i] = static_cast<std::uint8_t>(0xA5 ^ (i * 37));
    block.SetBaudRate(12345);
    block.SetByteSize(4);
    block.SetParity(9);
    block.SetStopBits(7);
    return block;
}
} // namespace

TEST(PortSettingsDlgTest, ConfirmingUnchangedKeepsEveryByte) {
    for (const CPortSetupBlock& block : {CPortSetupBlock(), OddBlock()}) {
        CPortSettingsDlg dialog(block, QStringLiteral("/dev/ttyS0"));
        dialog.show();
        dialog.accept();
        EXPECT_EQ(dialog.Setup().Bytes(), block.Bytes());
    }
    // Values no list offers are shown as numbers.
    CPortSettingsDlg odd(OddBlock(), QString());
    EXPECT_EQ(odd.BaudRateBox()->currentText(), QStringLiteral("12345"));
    EXPECT_EQ(odd.DataBitsBox()->currentText(), QStringLiteral("4"));
}

TEST(PortSettingsDlgTest, ChangesReachTheBlock) {
    CPortSettingsDlg dialog(CPortSetupBlock(), QStringLiteral("COM2"));
    EXPECT_EQ(dialog.BaudRateBox()->currentText(), QStringLiteral("19200"));
    EXPECT_EQ(dialog.FlowBox()->currentText(), QStringLiteral("None"));
    Choose(dialog.BaudRateBox(), QStringLiteral("9600"));
    Choose(dialog.DataBitsBox(), QStringLiteral("7"));
    Choose(dialog.ParityBox(), QStringLiteral("Even"));
    Choose(dialog.StopBitsBox(), QStringLiteral("2"));
    Choose(dialog.FlowBox(), QStringLiteral("Hardware"));
    dialog.accept();

    const CPortSetupBlock& setup = dialog.Setup();
    EXPECT_EQ(setup.GetBaudRate(), 9600u);
    EXPECT_EQ(setup.GetByteSize(), 7);
    EXPECT_EQ(setup.GetParity(), 2);
    EXPECT_EQ(setup.GetStopBits(), 2);
    EXPECT_TRUE(setup.GetFlags() & 0x2u); // parity checking follows the parity
    EXPECT_EQ(CPortSettingsDlg::FlowOf(setup), CPortSettingsDlg::Flow::Hardware);
    EXPECT_TRUE(setup.GetOutxCtsFlow());
    EXPECT_EQ(setup.GetRtsControl(), 2u);
    EXPECT_EQ(setup.GetDtrControl(), 2u);
    EXPECT_EQ(setup.Bytes()[0], CPortSetupBlock::kSize); // the length stays

    CPortSettingsDlg back(setup, QString());
    Choose(back.FlowBox(), QStringLiteral("Xon / Xoff"));
    Choose(back.ParityBox(), QStringLiteral("None"));
    back.accept();
    EXPECT_EQ(CPortSettingsDlg::FlowOf(back.Setup()), CPortSettingsDlg::Flow::XonXoff);
    EXPECT_FALSE(back.Setup().GetOutxCtsFlow());
    EXPECT_EQ(back.Setup().GetRtsControl(), 1u);
    EXPECT_FALSE(back.Setup().GetFlags() & 0x2u);
}

TEST(PortSettingsDlgTest, CancelAndRestoreDefaults) {
    CPortSetupBlock changed;
    changed.SetBaudRate(9600);
    changed.SetParity(1);
    changed.SetFlags(changed.GetFlags() | 0x2u);
    CPortSettingsDlg::ApplyFlow(changed, CPortSettingsDlg::Flow::XonXoff);

    CPortSettingsDlg cancelled(changed, QString());
    Choose(cancelled.BaudRateBox(), QStringLiteral("300"));
    cancelled.reject();
    EXPECT_EQ(cancelled.Setup(), changed);

    CPortSettingsDlg restored(changed, QString());
    restored.RestoreDefaults();
    restored.accept();
    EXPECT_EQ(restored.Setup(), CPortSetupBlock());
}
