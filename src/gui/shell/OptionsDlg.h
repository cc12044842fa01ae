// COptionsDlg: the Options dialog — serial port and its set-up, default formulas, altitude
// unit and "Save as default" — on a copy of the document's settings.
#pragma once

#include "calc/FormulaSetDlg.h"
#include "framework/UiServices.h"

#include <QStringList>

class QCheckBox;
class QLineEdit;

class COptionsDlg : public CFormulaSetDlg {
    Q_OBJECT
public:
    // Works on a copy of settings; "Save as default" starts checked. registry as for
    // CFormulaSetDlg.
    COptionsDlg(const DocumentSettings& settings, RegistryStore* registry,
                QWidget* parent = nullptr);

    // The edited copy; complete after OK (saveAsDefault holds the box's state then).
    [[nodiscard]] const DocumentSettings& Settings() const { return m_settings; }

    // Where ports are not numbered: the serial devices offered in the port list (system
    // paths such as /dev/ttyUSB0). Starts with the devices present. Picking one fills the
    // device field, which is what a read opens (empty: the numbered port's device, shown as the
    // field's placeholder).
    void SetAvailableDevices(const QStringList& devices);
    // The serial devices present, pseudo-terminals (/dev/pts/N) included, sorted.
    [[nodiscard]] static QStringList PresentSerialDevices();

    // "S&etup...": the port-settings dialog on the copy of the set-up; its OK replaces the
    // copy, its Cancel changes nothing.
    void OnSetup();

    [[nodiscard]] QComboBox* PortBox() const { return m_pPort; }
    // The free-text device field; null where ports are numbered (Windows).
    [[nodiscard]] QLineEdit* DeviceEdit() const { return m_pDevice; }
    [[nodiscard]] QPushButton* SetupButton() const { return m_pSetup; }
    [[nodiscard]] QCheckBox* FeetBox() const { return m_pFeet; }
    [[nodiscard]] QCheckBox* SaveAsDefaultBox() const { return m_pSaveAsDefault; }

    // Checks and takes the data; with "Save as default" checked adds both formulas to the
    // recently used lists; then closes. An invalid formula keeps the dialog open.
    void accept() override;

protected:
    [[nodiscard]] bool DoDataExchange(bool save) override;

private:
    void LayOut();
    [[nodiscard]] QString CurrentPortName() const;
    void SelectDevice(const QString& device);

    DocumentSettings m_settings;
    QComboBox* m_pPort;
    QLineEdit* m_pDevice = nullptr;
    QPushButton* m_pSetup;
    QCheckBox* m_pFeet;
    QCheckBox* m_pSaveAsDefault;
};

// Runs the Options dialog on settings. True when confirmed with OK: settings then holds the
// edited values (formulas checked; added to the recently used lists when saveAsDefault is
// set). False when cancelled: settings is unchanged. registry is not owned and may be null.
[[nodiscard]] bool RunOptionsDialog(QWidget* parent, DocumentSettings& settings,
                                    RegistryStore* registry);
