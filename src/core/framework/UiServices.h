// CUiServices: the one way core code asks the user something; the GUI implements it.
#pragma once

#include "framework/CommTimeouts.h"
#include "framework/PortSetupBlock.h"
#include "framework/ReadWindow.h"
#include "framework/SerialPort.h"
#include "framework/StringTable.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CAnnotation;
class CDataBlock;

enum class MsgButtons { Ok, YesNo, YesNoCancel };
enum class MsgIcon { Information, Warning, Error, Question };
enum class MsgResult { Ok, Yes, No, Cancel };

// One entry of a file prompt's type list: "Text Files (*.txt)" with pattern "*.txt".
struct FileFilter {
    std::string description;
    std::string pattern; // one or more patterns separated by ';'
};

// What a file prompt shows. An empty title lets the user interface choose its standard one.
struct FilePrompt {
    std::string title;
    std::string defaultExtension; // with its dot (".txt"); empty: none is added
    std::vector<FileFilter> filters;
    bool mustExist = true; // open prompts only
};

// The values the Options dialog edits: a copy of the document's settings, returned edited.
struct DocumentSettings {
    std::string altitudeFormula;
    std::string pressureFormula;
    std::uint32_t portIndex = 0; // 0-based: 0 = COM1
    std::string portName;        // the chosen serial device where ports are not numbered
    std::uint32_t showFeet = 0;
    CPortSetupBlock portSetup;
    bool saveAsDefault = true; // out: the "Save as default" box at OK
};

// Every call is modal from the caller's view: it returns when the user has answered. Core tests
// use a scripted implementation; the GUI shows real dialogs.
class CUiServices {
public:
    virtual ~CUiServices() = default;

    // Shows text with the buttons; answers Ok for an OK box, Yes or No for a Yes/No box, and
    // Yes, No or Cancel for a Yes/No/Cancel box (Cancel also when the box is closed).
    virtual MsgResult MessageBox(const std::string& text, MsgButtons buttons, MsgIcon icon) = 0;

    // The same for a string-table entry.
    MsgResult MessageBox(unsigned stringId, MsgButtons buttons = MsgButtons::Ok,
                         MsgIcon icon = MsgIcon::Warning) {
        return MessageBox(LoadString(stringId), buttons, icon);
    }

    // Shows the Read Data window for a device read or raw import; null when it cannot be
    // created. A user interface without windows reads headless.
    [[nodiscard]] virtual std::unique_ptr<CReadWindow> CreateReadWindow() {
        return std::make_unique<CHeadlessReadWindow>();
    }

    // Asks for an existing file to open; nullopt when cancelled. The path is UTF-8.
    [[nodiscard]] virtual std::optional<std::string> PromptOpenFile(const FilePrompt& prompt) {
        (void)prompt;
        return std::nullopt;
    }
    // Asks for a file to write; nullopt when cancelled.
    [[nodiscard]] virtual std::optional<std::string>
    PromptSaveFile(const FilePrompt& prompt, const std::string& initialName) {
        (void)prompt;
        (void)initialName;
        return std::nullopt;
    }

    // Runs the Options dialog on settings. True when confirmed with OK: settings then holds
    // the edited values (formulas already checked and added to the recent lists when Save as
    // default was ticked). False when cancelled: settings is unchanged.
    [[nodiscard]] virtual bool EditSettings(DocumentSettings& settings) {
        (void)settings;
        return false;
    }

    // Runs the Calculations dialog on one flight's formulas. True when confirmed with OK: both
    // then hold the edited formulas, each evaluating without error at the dialog's test values.
    // False when cancelled: both are unchanged.
    [[nodiscard]] virtual bool EditFlightFormulas(std::string& pressure, std::string& altitude) {
        (void)pressure;
        (void)altitude;
        return false;
    }
    // Runs the Flight Annotations dialog on flight with the window title title. The dialog
    // changes the flight's annotations as the user adds, edits and deletes them; OK also stores
    // the hidden states. True when it ends with OK.
    [[nodiscard]] virtual bool EditFlightAnnotations(CDataBlock& flight, const std::string& title) {
        (void)flight;
        (void)title;
        return false;
    }
    // Runs the Edit Annotation dialog on annotation, without a parent window. True when it ends
    // with OK; after Cancel the fields stored by a refused OK stay stored.
    [[nodiscard]] virtual bool EditAnnotation(CAnnotation& annotation) {
        (void)annotation;
        return false;
    }

    // Opens the serial device with the set-up, time-outs and queue sizes of a device read.
    // Without a serial port facility every open fails.
    [[nodiscard]] virtual PortOpenResult OpenSerialPort(const std::string& device,
                                                        const CPortSetupBlock& setup,
                                                        const CommTimeouts& timeouts) {
        (void)device;
        (void)setup;
        (void)timeouts;
        return {};
    }
};
