#include "framework/StringTableData.h"

namespace {
// Sorted by id. Lists are single strings with a line feed between entries. A command's prompt is
// its status-bar text, optionally followed by a line feed and its tool tip.
constexpr StringTableEntry kStrings[] = {
    // Document template: title, new-document name, filter name, extension, type id, type name.
    {128, "Kubo\n\nUntitled\nKubo Data Files\n.qlg\nKubo.Document\nKubo Data"},

    // Ruler unit abbreviations.
    {169, "\""},
    {170, "in"},
    {171, "inch"},
    {172, "inches"},
    {173, "cm"},
    {174, "pt"},
    {175, "pi"},

    // Application messages, axis titles, unit names and tab labels.
    {5001, "Invalid pressure formula:\n%1"},
    {5002, "Invalid altitude formula:\n%1"},
    {5003, "Error opening serial port."},
    {5004, "Error setting up the serial port."},
    {5005, "The received process was terminated abnormaly. Do you want to keep received data ?"},
    {5006, "Time [min]"},
    {5007, "Altitude [%1]"},
    {5008, "Are you sure to delete selected annotation(s) ?"},
    {5009, "Error in time string near character %d."},
    {5010, "Overwrite current formula ?"},
    {5011, "Delete selected formulas ?"},
    {5012, "Time [sec]"},
    {5013, "feet"},
    {5014, "ft"},
    {5015, "m"},
    {5016, "m"},
    {5017, "Flight Information"},
    {5018, "Graph"},
    {5019, "Horizontal"},
    {5020, "Vertical"},
    {5021, "Data"},

    // Formula evaluator errors, id = 5101 + error code - 1; %1 is the position, %2 the token.
    {5101, "Syntax error at character %1"},
    {5102, "Unbalanced parenthesis at character %1"},
    {5103, "Division by zero"},
    {5104, "Unknown variable '%2' at character %1"},
    {5105, "Maximum number of variables exceeded"},
    {5106, "Unrecognised function '%2' at character %1"},
    {5107, "Wrong number of arguments to function '%2' at character %1"},
    {5108, "Missing an argument of function '%2' at character %1"},
    {5109, "Empty expression"},

    // Annotation lists: line styles, symbols, alignment descriptions and alignment codes.
    {5110, "Thin Solid Line\nDashed Line\nDot Line\nDash Dot Line\nDash Dot Dot\nMedium Solid "
           "Line\nThick Solid Line\nGrid Tick Mark\nGrid Line"},
    {5111, "No Symbol, Text Only\nPlus\nCross\nCircle\nSolid Circle\nSquare\nSolid Square\n"
           "Diamond\nSolid Diamond\nUpward Triangle\nSolid Upward Triangle\nDownward Triangle\n"
           "Solid Downward Triangle\nSmall Plus\nSmall Cross\nSmall Circle\nSmall Solid Circle\n"
           "Small Square\nSmall Solid Square\nSmall Diamond\nSmall Solid Diamond\nSmall Upward "
           "Triangle\nSmall Solid Upward Triangle\nSmall Downward Triangle\nSmall Solid Downward "
           "Triangle\nLarge Plus\nLarge Cross\nLarge Circle\nLarge Solid Circle\nLarge Square\n"
           "Large Solid Square\nLarge Diamond\nLarge Solid Diamond\nLarge Upward Triangle\nLarge "
           "Solid Upward Triangle\nLarge Downward Triangle\nLarge Solid Downward Triangle"},
    {5112, "Centers text inside graph\u2019s grid\nLeft inside edge of graph\nLeft outside edge of "
           "graph\nRight inside edge of graph\nRight outside edge of graph"},
    {5113, "Centers text inside graph\u2019s grid\nTop inside edge of graph\nTop outside edge and "
           "vertical\nTop outside edge and horizontal\nBottom inside edge of graph\nBottom outside "
           "edge and vertical\nBottom outside edge and horizontal"},
    {5114, "Centers text\nLeft justifies\nRight justifies"},
    {5115, "|c\n|l\n|L\n|r\n|R"},
    {5116, "|c\n|t\n|T\n|H\n|b\n|B\n|h"},
    {5117, "|c\n|l\n|r"},

    // Captions, default texts and printf-style formats.
    {5118, "Flight Annotations (%s)"},
    {5119, "Measurement: [%s, %s] -> [%s, %s]; Delta: [%s, %s]\n"},
    {5120, "Data Marker"},
    {5121, "Annotation Text"},
    {5122, "M%d"},
    {5123, "error"},
    {5124, "n/a"},
    {5125, "User  Calculation"},
    {5126, "Reading... (flight count: %d)"},

    // Why something failed or was refused, shared by the program and kubo-cli (MessageIds.h).
    {5200, "not enough memory for %1"},
    {5201, "not enough memory for the flight \"%1\""},
    {5202, "%1 is a folder, not a file"},
    {5203, "%1 is not a regular file (it is a device, a pipe or a socket)"},
    {5204, "Formula longer than 4096 characters"},
    {5205, "The transmission was stopped at %1 flights, the most one read can hold. The flights "
           "received so far are kept."},
    {5206, "The transmission was stopped: there is not enough memory for more data. The "
           "flights received so far are kept."},
    {5207, "the output would replace the input file %1"},
    {5208, "The settings could not be read from %1 (%2). Kubo starts with the default settings "
           "and leaves that file as it is: changes to the settings are not saved this time."},
    {5209, "%1 could not be written (%2); the flights received were saved to %3 instead"},
    {5210, "There is not enough memory to finish the operation."},

    // Command prompts of the application's own commands.
    {30051, "Read data from altimeter hardware\nRead Data"},
    {30052, "Insert empty Session to the project"},
    {30053, "Export selected Flight data block(s) to file. Full data."},
    {30054, "Export selected Flight data block(s) to file. Raw format."},
    {30061, "Import existing data file into current project\nImport"},
    {30062, "Import Flight data blocks from raw text format."},
    {30071, "Edit annotation labels for currently selected Flight"},
    {30072, "Apply offsets and reset both axes of all selected data series"},
    {30101, "Set bold font\nBold"},
    {30102, "Set italic font\nItalic"},
    {30103, "Set underlined font\nUnderline"},
    {30104, "Left-justifies paragraph\nAlign Left"},
    {30105, "Center-justifies paragraph\nCenter"},
    {30106, "Right-justifies paragraph\nAlign Right"},
    {30151, "Application settings\nApplication Settings"},
    {30201, "Change name of currently selected item"},
    {30202, "Remove currently selected item(s)"},
    {30252, "Activate informational page"},
    {30253, "Activate graph page"},
    {30254, "Show/Hide data measurements tool\nData Measurements"},
    {30301, "Export graph picture to file or clipboard"},

    // Application name.
    {57344, "Kubo"},
    // The status bar's message while no command prompt is shown.
    {57345, "Ready"},

    // Command prompts of the standard commands (framework, main window, comments editor).
    {57600, "Create a new project\nNew"},
    {57601, "Open an existing project\nOpen"},
    {57603, "Save the project\nSave"},
    {57604, "Save the project under a new name\nSave As"},
    {57605, "Change the printing options\nPage Setup"},
    {57606, "Change the printer and printing options\nPrint Setup"},
    {57607, "Print the active document or picture\nPrint"},
    {57609, "Display full pages\nPrint Preview"},
    {57616, "Open this project"},
    {57617, "Open this project"},
    {57618, "Open this project"},
    {57619, "Open this project"},
    {57634, "Copy the selection and put it on the Clipboard\nCopy"},
    {57635, "Cut the selection and put it on the Clipboard\nCut"},
    {57637, "Insert Clipboard contents\nPaste"},
    {57664, "Display program information, version number and copyright\nAbout"},
    {57665, "Quit the application; prompts to save the project\nExit"},
    {57680, "Switch to the next page\nNext Pane"},
    {57681, "Switch back to the previous page\nPrevious Pane"},
    {57696, "Set font\nFont"},
    {59392, "Show or hide the toolbar\nToggle Toolbar"},
    {59393, "Show or hide the status bar\nToggle Status Bar"},
};
} // namespace

std::span<const StringTableEntry> BuiltInStrings() {
    return kStrings;
}
