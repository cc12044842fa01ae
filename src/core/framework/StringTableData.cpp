#include "framework/StringTableData.h"

#include "framework/CommandIds.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"

namespace {
// Sorted by id. Lists are single strings with a line feed between entries. A command's prompt is
// its status-bar text, optionally followed by a line feed and its tool tip. Texts for the user
// are marked for lupdate; the alignment codes are data and stay as they are.
constexpr StringTableEntry kStrings[] = {
    // Document template: title, new-document name, filter name, extension, type id, type name.
    //: Six lines: title, new-document name, file type name, extension (keep it), type id (keep
    //: it), type name.
    {str::DocTemplate,
     KUBO_TRANSLATE_NOOP("StringTable",
                         "Kubo\n\nUntitled\nKubo Data Files\n.qlg\nKubo.Document\nKubo Data")},

    // Ruler unit abbreviations.
    {str::RulerInchMark, KUBO_TRANSLATE_NOOP("StringTable", "\"")},
    {str::RulerIn, KUBO_TRANSLATE_NOOP("StringTable", "in")},
    {str::RulerInch, KUBO_TRANSLATE_NOOP("StringTable", "inch")},
    {str::RulerInches, KUBO_TRANSLATE_NOOP("StringTable", "inches")},
    {str::RulerCm, KUBO_TRANSLATE_NOOP("StringTable", "cm")},
    {str::RulerPt, KUBO_TRANSLATE_NOOP("StringTable", "pt")},
    {str::RulerPi, KUBO_TRANSLATE_NOOP("StringTable", "pi")},

    // Application messages, axis titles, unit names and tab labels.
    {str::InvalidPressureFormula,
     KUBO_TRANSLATE_NOOP("StringTable", "Invalid pressure formula:\n%1")},
    {str::InvalidAltitudeFormula,
     KUBO_TRANSLATE_NOOP("StringTable", "Invalid altitude formula:\n%1")},
    {str::SerialOpenFailed, KUBO_TRANSLATE_NOOP("StringTable", "Error opening serial port.")},
    {str::SerialSetupFailed,
     KUBO_TRANSLATE_NOOP("StringTable", "Error setting up the serial port.")},
    {str::KeepIncompleteData,
     KUBO_TRANSLATE_NOOP(
         "StringTable",
         "The received process was terminated abnormally. Do you want to keep received data?")},
    {str::TimeAxisMinutes, KUBO_TRANSLATE_NOOP("StringTable", "Time [min]")},
    {str::AltitudeAxis, KUBO_TRANSLATE_NOOP("StringTable", "Altitude [%1]")},
    {str::DeleteAnnotations,
     KUBO_TRANSLATE_NOOP("StringTable", "Are you sure to delete selected annotation(s)?")},
    {str::TimeStringError,
     KUBO_TRANSLATE_NOOP("StringTable", "Error in time string near character %d.")},
    {str::OverwriteFormula, KUBO_TRANSLATE_NOOP("StringTable", "Overwrite current formula?")},
    {str::DeleteFormulas, KUBO_TRANSLATE_NOOP("StringTable", "Delete selected formulas?")},
    {str::TimeAxisSeconds, KUBO_TRANSLATE_NOOP("StringTable", "Time [sec]")},
    {str::FeetLong, KUBO_TRANSLATE_NOOP("StringTable", "feet")},
    {str::FeetShort, KUBO_TRANSLATE_NOOP("StringTable", "ft")},
    {str::MetresLong, KUBO_TRANSLATE_NOOP3("StringTable", "m", "metres, long form")},
    {str::MetresShort, KUBO_TRANSLATE_NOOP3("StringTable", "m", "metres, short form")},
    {str::InfoPageTab, KUBO_TRANSLATE_NOOP("StringTable", "Flight Information")},
    {str::GraphPageTab, KUBO_TRANSLATE_NOOP("StringTable", "Graph")},
    {str::Horizontal, KUBO_TRANSLATE_NOOP("StringTable", "Horizontal")},
    {str::Vertical, KUBO_TRANSLATE_NOOP("StringTable", "Vertical")},
    {str::Data, KUBO_TRANSLATE_NOOP("StringTable", "Data")},

    // Formula evaluator errors, id = 5101 + error code - 1; %1 is the position, %2 the token.
    {str::FormulaSyntaxError, KUBO_TRANSLATE_NOOP("StringTable", "Syntax error at character %1")},
    {str::FormulaUnbalanced,
     KUBO_TRANSLATE_NOOP("StringTable", "Unbalanced parenthesis at character %1")},
    {str::FormulaDivisionByZero, KUBO_TRANSLATE_NOOP("StringTable", "Division by zero")},
    {str::FormulaUnknownVariable,
     KUBO_TRANSLATE_NOOP("StringTable", "Unknown variable '%2' at character %1")},
    {str::FormulaTooManyVariables,
     KUBO_TRANSLATE_NOOP("StringTable", "Maximum number of variables exceeded")},
    {str::FormulaUnknownFunction,
     KUBO_TRANSLATE_NOOP("StringTable", "Unrecognised function '%2' at character %1")},
    {str::FormulaArgumentCount,
     KUBO_TRANSLATE_NOOP("StringTable",
                         "Wrong number of arguments to function '%2' at character %1")},
    {str::FormulaMissingArgument,
     KUBO_TRANSLATE_NOOP("StringTable", "Missing an argument of function '%2' at character %1")},
    {str::FormulaEmpty, KUBO_TRANSLATE_NOOP("StringTable", "Empty expression")},

    // Annotation lists: line styles, symbols, alignment descriptions and alignment codes.
    {str::LineStyleNames,
     KUBO_TRANSLATE_NOOP(
         "StringTable",
         "Thin Solid Line\nDashed Line\nDot Line\nDash Dot Line\nDash Dot Dot\nMedium Solid "
         "Line\nThick Solid Line\nGrid Tick Mark\nGrid Line")},
    {str::SymbolNames,
     KUBO_TRANSLATE_NOOP(
         "StringTable",
         "No Symbol, Text Only\nPlus\nCross\nCircle\nSolid Circle\nSquare\nSolid Square\n"
         "Diamond\nSolid Diamond\nUpward Triangle\nSolid Upward Triangle\nDownward Triangle\n"
         "Solid Downward Triangle\nSmall Plus\nSmall Cross\nSmall Circle\nSmall Solid Circle\n"
         "Small Square\nSmall Solid Square\nSmall Diamond\nSmall Solid Diamond\nSmall Upward "
         "Triangle\nSmall Solid Upward Triangle\nSmall Downward Triangle\nSmall Solid Downward "
         "Triangle\nLarge Plus\nLarge Cross\nLarge Circle\nLarge Solid Circle\nLarge Square\n"
         "Large Solid Square\nLarge Diamond\nLarge Solid Diamond\nLarge Upward Triangle\nLarge "
         "Solid Upward Triangle\nLarge Downward Triangle\nLarge Solid Downward Triangle")},
    {str::HorizontalAlignmentNames,
     KUBO_TRANSLATE_NOOP(
         "StringTable",
         "Centers text inside graph\u2019s grid\nLeft inside edge of graph\nLeft outside edge of "
         "graph\nRight inside edge of graph\nRight outside edge of graph")},
    {str::VerticalAlignmentNames,
     KUBO_TRANSLATE_NOOP(
         "StringTable",
         "Centers text inside graph\u2019s grid\nTop inside edge of graph\nTop outside edge and "
         "vertical\nTop outside edge and horizontal\nBottom inside edge of graph\nBottom outside "
         "edge and vertical\nBottom outside edge and horizontal")},
    {str::PointAlignmentNames,
     KUBO_TRANSLATE_NOOP("StringTable", "Centers text\nLeft justifies\nRight justifies")},
    {str::HorizontalAlignmentCodes, "|c\n|l\n|L\n|r\n|R"},
    {str::VerticalAlignmentCodes, "|c\n|t\n|T\n|H\n|b\n|B\n|h"},
    {str::PointAlignmentCodes, "|c\n|l\n|r"},

    // Captions, default texts and printf-style formats.
    {str::AnnotationsCaption, KUBO_TRANSLATE_NOOP("StringTable", "Flight Annotations (%s)")},
    {str::MeasurementText,
     KUBO_TRANSLATE_NOOP("StringTable", "Measurement: [%s, %s] -> [%s, %s]; Delta: [%s, %s]\n")},
    {str::DataMarkerCaption, KUBO_TRANSLATE_NOOP("StringTable", "Data Marker")},
    {str::AnnotationText, KUBO_TRANSLATE_NOOP("StringTable", "Annotation Text")},
    {str::DataMarkerText, KUBO_TRANSLATE_NOOP("StringTable", "M%d")},
    {str::ErrorValue, KUBO_TRANSLATE_NOOP("StringTable", "error")},
    {str::NotAvailable, KUBO_TRANSLATE_NOOP("StringTable", "n/a")},
    {str::UserCalculation, KUBO_TRANSLATE_NOOP("StringTable", "User  Calculation")},
    {str::ReadingStatus, KUBO_TRANSLATE_NOOP("StringTable", "Reading... (flight count: %d)")},

    // Why something failed or was refused, shared by the program and kubo-cli.
    {str::NotEnoughMemoryFor, KUBO_TRANSLATE_NOOP("StringTable", "not enough memory for %1")},
    {str::NotEnoughMemoryForFlight,
     KUBO_TRANSLATE_NOOP("StringTable", "not enough memory for the flight \"%1\"")},
    {str::IsAFolder, KUBO_TRANSLATE_NOOP("StringTable", "%1 is a folder, not a file")},
    {str::NotARegularFile,
     KUBO_TRANSLATE_NOOP("StringTable",
                         "%1 is not a regular file (it is a device, a pipe or a socket)")},
    {str::FormulaTooLong,
     KUBO_TRANSLATE_NOOP("StringTable", "Formula longer than 4096 characters")},
    {str::TooManyFlights,
     KUBO_TRANSLATE_NOOP(
         "StringTable",
         "The transmission was stopped at %1 flights, the most one read can hold. The flights "
         "received so far are kept.")},
    {str::ReadOutOfMemory,
     KUBO_TRANSLATE_NOOP(
         "StringTable",
         "The transmission was stopped: there is not enough memory for more data. The "
         "flights received so far are kept.")},
    {str::OutputIsInput,
     KUBO_TRANSLATE_NOOP("StringTable", "the output would replace the input file %1")},
    {str::SettingsUnreadable,
     KUBO_TRANSLATE_NOOP(
         "StringTable",
         "The settings could not be read from %1 (%2). Kubo starts with the default settings "
         "and leaves that file as it is: changes to the settings are not saved this time.")},
    {str::SavedElsewhere,
     KUBO_TRANSLATE_NOOP(
         "StringTable",
         "%1 could not be written (%2); the flights received were saved to %3 instead")},
    {str::NotEnoughMemory,
     KUBO_TRANSLATE_NOOP("StringTable", "There is not enough memory to finish the operation.")},
    // Details appended to a failure's message, and the questions and labels that came with them.
    {str::SerialDevice, KUBO_TRANSLATE_NOOP("StringTable", "Device: %1")},
    {str::SerialDeviceReason, KUBO_TRANSLATE_NOOP("StringTable", "Device: %1 (%2)")},
    {str::NoSerialDevice,
     KUBO_TRANSLATE_NOOP("StringTable", "no serial device is chosen in Options")},
    {str::SerialSettingsRejected,
     KUBO_TRANSLATE_NOOP("StringTable", "the device does not take the port settings")},
    {str::NameNotStorable,
     KUBO_TRANSLATE_NOOP("StringTable",
                         "The project file cannot hold these characters of the name \"%1\": %2\n\n"
                         "Yes keeps the name with each of them replaced by \"?\".\n"
                         "No goes back to editing the name.")},
    {str::FileIsEmpty, KUBO_TRANSLATE_NOOP("StringTable", "%1 is empty: it holds no project.")},
    {str::NotAProject,
     KUBO_TRANSLATE_NOOP("StringTable", "%1 is not a Kubo project file, or it is damaged.")},
    {str::FolderMissing,
     KUBO_TRANSLATE_NOOP("StringTable", "%1 cannot be written: the folder %2 does not exist.")},
    {str::FolderNotWritable,
     KUBO_TRANSLATE_NOOP("StringTable",
                         "%1 cannot be written there: there is no permission to write in the "
                         "folder %2.")},
    {str::FolderReadOnly,
     KUBO_TRANSLATE_NOOP("StringTable",
                         "%1 cannot be written there: the folder %2 is on a read-only disk.")},
    {str::SerialDeviceBusy,
     KUBO_TRANSLATE_NOOP("StringTable", "the device is in use by another program")},
    // The Graph page.
    {str::EnterNumber, KUBO_TRANSLATE_NOOP("StringTable", "Please enter a number.")},
    {str::PictureNotWritten,
     KUBO_TRANSLATE_NOOP("StringTable", "The picture could not be written to %1:\n%2")},
    {str::PictureSizeRefused,
     KUBO_TRANSLATE_NOOP("StringTable",
                         "Width and height must be whole numbers of pixels from 1 to 20000.")},

    // The measurement pane and the annotation dialogs.
    {str::AnnotationAltitudeNotNumber,
     KUBO_TRANSLATE_NOOP("StringTable", "Please enter a number.")},
    {str::MeasurementNotCopied,
     KUBO_TRANSLATE_NOOP("StringTable",
                         "The measurement was not copied: no session comments are open for "
                         "editing on the Information page. Select a session or one of its "
                         "flights in the project tree and try again.")},

    // Failed file operations.
    {str::FileNotFound, KUBO_TRANSLATE_NOOP("StringTable", "%1 was not found.")},
    {str::FileBadPath, KUBO_TRANSLATE_NOOP("StringTable", "%1 contains an invalid path.")},
    {str::FileTooManyOpen,
     KUBO_TRANSLATE_NOOP("StringTable",
                         "%1 could not be opened because there are too many open files.")},
    {str::FileAccessDenied, KUBO_TRANSLATE_NOOP("StringTable", "Access to %1 was denied.")},
    {str::FileDiskFull,
     KUBO_TRANSLATE_NOOP("StringTable", "%1 could not be written because the disk is full.")},
    {str::FileHardIo,
     KUBO_TRANSLATE_NOOP("StringTable", "A hardware I/O error occurred while accessing %1.")},
    {str::FilePastEnd,
     KUBO_TRANSLATE_NOOP("StringTable", "An attempt was made to access %1 past its end.")},
    {str::FileGenericError,
     KUBO_TRANSLATE_NOOP("StringTable", "An unexpected error occurred while accessing %1.")},
    {str::UnnamedFile, KUBO_TRANSLATE_NOOP("StringTable", "the file")},
    {str::ArchivePastEnd,
     KUBO_TRANSLATE_NOOP("StringTable", "An attempt was made to read %1 past its end.")},
    {str::ArchiveBadFormat, KUBO_TRANSLATE_NOOP("StringTable", "Unexpected file format in %1.")},
    {str::ArchiveWriteWhileReading,
     KUBO_TRANSLATE_NOOP("StringTable", "An attempt was made to write to %1 while reading it.")},
    {str::ArchiveReadWhileWriting,
     KUBO_TRANSLATE_NOOP("StringTable", "An attempt was made to read from %1 while writing it.")},
    {str::ArchiveGenericError,
     KUBO_TRANSLATE_NOOP("StringTable", "An unexpected error occurred while reading %1.")},
    {str::UnnamedArchive, KUBO_TRANSLATE_NOOP("StringTable", "the archive")},
    {str::FileNotOpened, KUBO_TRANSLATE_NOOP("StringTable", "%1 could not be opened.")},
    {str::FileNotRead, KUBO_TRANSLATE_NOOP("StringTable", "%1 could not be read.")},
    {str::SettingsIsAFolder, KUBO_TRANSLATE_NOOP("StringTable", "it is a folder")},
    {str::SettingsNotRegular, KUBO_TRANSLATE_NOOP("StringTable", "it is not a regular file")},
    {str::SettingsReadError, KUBO_TRANSLATE_NOOP("StringTable", "read error")},

    // Command prompts of the application's own commands.
    {cmd::DataReadData,
     KUBO_TRANSLATE_NOOP("StringTable", "Read data from altimeter hardware\nRead Data")},
    {cmd::DataInsertSession,
     KUBO_TRANSLATE_NOOP("StringTable", "Insert empty Session to the project")},
    {cmd::ExportTranslated,
     KUBO_TRANSLATE_NOOP("StringTable",
                         "Export selected Flight data block(s) to file. Full data.")},
    {cmd::ExportRaw,
     KUBO_TRANSLATE_NOOP("StringTable",
                         "Export selected Flight data block(s) to file. Raw format.")},
    {cmd::ImportProject,
     KUBO_TRANSLATE_NOOP("StringTable", "Import existing data file into current project\nImport")},
    {cmd::ImportRawText,
     KUBO_TRANSLATE_NOOP("StringTable", "Import Flight data blocks from raw text format.")},
    {cmd::FlightAnnotation,
     KUBO_TRANSLATE_NOOP("StringTable", "Edit annotation labels for currently selected Flight")},
    {cmd::GraphApplyOffsets,
     KUBO_TRANSLATE_NOOP("StringTable",
                         "Apply offsets and reset both axes of all selected data series")},
    {cmd::FormatBold, KUBO_TRANSLATE_NOOP("StringTable", "Set bold font\nBold")},
    {cmd::FormatItalic, KUBO_TRANSLATE_NOOP("StringTable", "Set italic font\nItalic")},
    {cmd::FormatUnderline, KUBO_TRANSLATE_NOOP("StringTable", "Set underlined font\nUnderline")},
    {cmd::ParaAlignLeft,
     KUBO_TRANSLATE_NOOP("StringTable", "Left-justifies paragraph\nAlign Left")},
    {cmd::ParaAlignCenter,
     KUBO_TRANSLATE_NOOP("StringTable", "Center-justifies paragraph\nCenter")},
    {cmd::ParaAlignRight,
     KUBO_TRANSLATE_NOOP("StringTable", "Right-justifies paragraph\nAlign Right")},
    {cmd::DataSettings,
     KUBO_TRANSLATE_NOOP("StringTable", "Application settings\nApplication Settings")},
    {cmd::EditName, KUBO_TRANSLATE_NOOP("StringTable", "Change name of currently selected item")},
    {cmd::EditDelete, KUBO_TRANSLATE_NOOP("StringTable", "Remove currently selected item(s)")},
    {cmd::ViewInfoPage, KUBO_TRANSLATE_NOOP("StringTable", "Activate informational page")},
    {cmd::ViewGraphPage, KUBO_TRANSLATE_NOOP("StringTable", "Activate graph page")},
    {cmd::ViewMeasurements,
     KUBO_TRANSLATE_NOOP("StringTable", "Show/Hide data measurements tool\nData Measurements")},
    {cmd::GraphSavePicture,
     KUBO_TRANSLATE_NOOP("StringTable", "Export graph picture to file or clipboard")},

    // Application name.
    {str::AppTitle, "Kubo"},
    // The status bar's message while no command prompt is shown.
    {str::IdleMessage, KUBO_TRANSLATE_NOOP("StringTable", "Ready")},

    // Command prompts of the standard commands (framework, main window, comments editor).
    {cmd::FileNew, KUBO_TRANSLATE_NOOP("StringTable", "Create a new project\nNew")},
    {cmd::FileOpen, KUBO_TRANSLATE_NOOP("StringTable", "Open an existing project\nOpen")},
    {cmd::FileSave, KUBO_TRANSLATE_NOOP("StringTable", "Save the project\nSave")},
    {cmd::FileSaveAs,
     KUBO_TRANSLATE_NOOP("StringTable", "Save the project under a new name\nSave As")},
    {cmd::FilePageSetup,
     KUBO_TRANSLATE_NOOP("StringTable", "Change the printing options\nPage Setup")},
    {cmd::FilePrintSetup,
     KUBO_TRANSLATE_NOOP("StringTable", "Change the printer and printing options\nPrint Setup")},
    {cmd::FilePrint,
     KUBO_TRANSLATE_NOOP("StringTable", "Print the active document or picture\nPrint")},
    {cmd::FilePrintPreview,
     KUBO_TRANSLATE_NOOP("StringTable", "Display full pages\nPrint Preview")},
    {cmd::FileMruFirst, KUBO_TRANSLATE_NOOP("StringTable", "Open this project")},
    {cmd::FileMruFirst + 1, KUBO_TRANSLATE_NOOP("StringTable", "Open this project")},
    {cmd::FileMruFirst + 2, KUBO_TRANSLATE_NOOP("StringTable", "Open this project")},
    {cmd::FileMruFirst + 3, KUBO_TRANSLATE_NOOP("StringTable", "Open this project")},
    {cmd::EditCopy,
     KUBO_TRANSLATE_NOOP("StringTable", "Copy the selection and put it on the Clipboard\nCopy")},
    {cmd::EditCut,
     KUBO_TRANSLATE_NOOP("StringTable", "Cut the selection and put it on the Clipboard\nCut")},
    {cmd::EditFind, KUBO_TRANSLATE_NOOP("StringTable", "Find the specified text\nFind")},
    {cmd::EditPaste, KUBO_TRANSLATE_NOOP("StringTable", "Insert Clipboard contents\nPaste")},
    {cmd::EditPasteSpecial,
     KUBO_TRANSLATE_NOOP("StringTable", "Insert Clipboard contents with options\nPaste Special")},
    {cmd::EditRepeat, KUBO_TRANSLATE_NOOP("StringTable", "Find the next match\nFind Next")},
    {cmd::EditReplace,
     KUBO_TRANSLATE_NOOP("StringTable", "Replace specific text with different text\nReplace")},
    {cmd::EditSelectAll, KUBO_TRANSLATE_NOOP("StringTable", "Select the entire text\nSelect All")},
    {cmd::EditUndo, KUBO_TRANSLATE_NOOP("StringTable", "Undo the last action\nUndo")},
    {cmd::EditRedo, KUBO_TRANSLATE_NOOP("StringTable", "Redo the previously undone action\nRedo")},
    {cmd::AppAbout,
     KUBO_TRANSLATE_NOOP("StringTable",
                         "Display program information, version number and copyright\nAbout")},
    {cmd::AppExit,
     KUBO_TRANSLATE_NOOP("StringTable", "Quit the application; prompts to save the project\nExit")},
    {cmd::NextPane, KUBO_TRANSLATE_NOOP("StringTable", "Switch to the next page\nNext Pane")},
    {cmd::PrevPane,
     KUBO_TRANSLATE_NOOP("StringTable", "Switch back to the previous page\nPrevious Pane")},
    {cmd::FormatFont, KUBO_TRANSLATE_NOOP("StringTable", "Set font\nFont")},
    {cmd::ViewToolbar,
     KUBO_TRANSLATE_NOOP("StringTable", "Show or hide the toolbar\nToggle Toolbar")},
    {cmd::ViewStatusBar,
     KUBO_TRANSLATE_NOOP("StringTable", "Show or hide the status bar\nToggle Status Bar")},

    // Framework prompts.
    {str::FailedToOpenDocument, KUBO_TRANSLATE_NOOP("StringTable", "Cannot open the file %1.")},
    {str::AskToSave, KUBO_TRANSLATE_NOOP("StringTable", "Save changes to %1?")},
};
} // namespace

std::span<const StringTableEntry> BuiltInStrings() {
    return kStrings;
}
