// CPortSettingsDlg: edits a copy of the serial port set-up block — speed, data bits, parity,
// stop bits and flow control.
#pragma once

#include "framework/PortSetupBlock.h"

#include <QDialog>

class QComboBox;

class CPortSettingsDlg : public QDialog {
    Q_OBJECT
public:
    enum class Flow { None, Hardware, XonXoff };

    // portName only titles the dialog.
    CPortSettingsDlg(const CPortSetupBlock& setup, const QString& portName,
                     QWidget* parent = nullptr);

    // The block as edited. A field the user left alone keeps its bytes, so confirming without
    // changes gives the block back byte for byte, whatever it held.
    [[nodiscard]] const CPortSetupBlock& Setup() const { return m_setup; }

    // The flow control a block describes: RTS/CTS or DSR handshaking reads as hardware,
    // otherwise XON/XOFF in either direction as XON/XOFF.
    [[nodiscard]] static Flow FlowOf(const CPortSetupBlock& setup);
    // Sets the flow-control bits and the DTR/RTS line modes for flow.
    static void ApplyFlow(CPortSetupBlock& setup, Flow flow);

    [[nodiscard]] QComboBox* BaudRateBox() const { return m_pBaud; }
    [[nodiscard]] QComboBox* DataBitsBox() const { return m_pDataBits; }
    [[nodiscard]] QComboBox* ParityBox() const { return m_pParity; }
    [[nodiscard]] QComboBox* StopBitsBox() const { return m_pStopBits; }
    [[nodiscard]] QComboBox* FlowBox() const { return m_pFlow; }

    // Shows the set-up of a new document in the controls (nothing is kept until OK).
    void RestoreDefaults();

    void accept() override;

private:
    void ShowSetup(const CPortSetupBlock& setup);

    CPortSetupBlock m_setup;
    QComboBox* m_pBaud;
    QComboBox* m_pDataBits;
    QComboBox* m_pParity;
    QComboBox* m_pStopBits;
    QComboBox* m_pFlow;
};
