// The ids of the string table (framework/StringTableData.cpp): messages, captions, lists.
#pragma once

// A command's status-bar prompt is keyed by the command's own id (framework/CommandIds.h).
// Framework-standard texts keep the framework's numbers; the program's own are 5001 and up.
namespace str {
// The document template: title, new-document name, filter name, extension, type id, type name,
// one per line.
inline constexpr unsigned DocTemplate = 128;

// Ruler unit abbreviations of the comments editor.
inline constexpr unsigned RulerInchMark = 169; // "
inline constexpr unsigned RulerIn = 170;
inline constexpr unsigned RulerInch = 171;
inline constexpr unsigned RulerInches = 172;
inline constexpr unsigned RulerCm = 173;
inline constexpr unsigned RulerPt = 174;
inline constexpr unsigned RulerPi = 175;

// Messages, axis titles, unit names and tab labels.
inline constexpr unsigned InvalidPressureFormula = 5001; // %1: the evaluator's message
inline constexpr unsigned InvalidAltitudeFormula = 5002;
inline constexpr unsigned SerialOpenFailed = 5003;
inline constexpr unsigned SerialSetupFailed = 5004;
inline constexpr unsigned KeepIncompleteData = 5005;
inline constexpr unsigned TimeAxisMinutes = 5006;
inline constexpr unsigned AltitudeAxis = 5007; // %1: the unit
inline constexpr unsigned DeleteAnnotations = 5008;
inline constexpr unsigned TimeStringError = 5009;
inline constexpr unsigned OverwriteFormula = 5010;
inline constexpr unsigned DeleteFormulas = 5011;
inline constexpr unsigned TimeAxisSeconds = 5012;
inline constexpr unsigned FeetLong = 5013;
inline constexpr unsigned FeetShort = 5014;
inline constexpr unsigned MetresLong = 5015;
inline constexpr unsigned MetresShort = 5016;
inline constexpr unsigned InfoPageTab = 5017;
inline constexpr unsigned GraphPageTab = 5018;
inline constexpr unsigned Horizontal = 5019;
inline constexpr unsigned Vertical = 5020;
inline constexpr unsigned Data = 5021;

// Formula evaluator errors: FormulaErrorFirst + error code - 1; %1 the position, %2 the token.
inline constexpr unsigned FormulaSyntaxError = 5101;
inline constexpr unsigned FormulaUnbalanced = 5102;
inline constexpr unsigned FormulaDivisionByZero = 5103;
inline constexpr unsigned FormulaUnknownVariable = 5104;
inline constexpr unsigned FormulaTooManyVariables = 5105;
inline constexpr unsigned FormulaUnknownFunction = 5106;
inline constexpr unsigned FormulaArgumentCount = 5107;
inline constexpr unsigned FormulaMissingArgument = 5108;
inline constexpr unsigned FormulaEmpty = 5109;
inline constexpr unsigned FormulaErrorFirst = FormulaSyntaxError;

// Annotation lists, one entry per line. The alignment lists are indexed by kind:
// AlignmentNamesFirst + kind and AlignmentCodesFirst + kind.
inline constexpr unsigned LineStyleNames = 5110;
inline constexpr unsigned SymbolNames = 5111;
inline constexpr unsigned HorizontalAlignmentNames = 5112;
inline constexpr unsigned VerticalAlignmentNames = 5113;
inline constexpr unsigned PointAlignmentNames = 5114;
inline constexpr unsigned HorizontalAlignmentCodes = 5115;
inline constexpr unsigned VerticalAlignmentCodes = 5116;
inline constexpr unsigned PointAlignmentCodes = 5117;
inline constexpr unsigned AlignmentNamesFirst = HorizontalAlignmentNames;
inline constexpr unsigned AlignmentCodesFirst = HorizontalAlignmentCodes;

// Captions, default texts and printf-style formats.
inline constexpr unsigned AnnotationsCaption = 5118; // %s: the flight
inline constexpr unsigned MeasurementText = 5119;
inline constexpr unsigned DataMarkerCaption = 5120;
inline constexpr unsigned AnnotationText = 5121;
inline constexpr unsigned DataMarkerText = 5122; // %d: the marker's number
inline constexpr unsigned ErrorValue = 5123;
inline constexpr unsigned NotAvailable = 5124;
inline constexpr unsigned UserCalculation = 5125;
inline constexpr unsigned ReadingStatus = 5126; // %d: flights so far

// Why something failed or was refused: texts shared by the program and kubo-cli, so that both
// word a refusal the same way. Reasons (lower case, no final period) are what kubo-cli prints
// after "kubo-cli: FILE: "; the program shows them as sentences (RefusalSentence). %1 is the
// file, flight or count named.
inline constexpr unsigned NotEnoughMemoryFor = 5200;       // reason: %1 a file
inline constexpr unsigned NotEnoughMemoryForFlight = 5201; // reason: %1 a flight's name
inline constexpr unsigned IsAFolder = 5202;                // reason: %1 the path
inline constexpr unsigned NotARegularFile = 5203;          // reason: %1 the path
// The formula evaluator's message of its error 10.
inline constexpr unsigned FormulaTooLong = 5204;
inline constexpr unsigned TooManyFlights = 5205;  // sentence: %1 the limit
inline constexpr unsigned ReadOutOfMemory = 5206; // sentence
inline constexpr unsigned OutputIsInput = 5207;   // reason: %1 the input file
// Sentence: %1 the settings file, %2 why it could not be read.
inline constexpr unsigned SettingsUnreadable = 5208;
// Reason: %1 the output file, %2 why it failed, %3 where the data went instead.
inline constexpr unsigned SavedElsewhere = 5209;
inline constexpr unsigned NotEnoughMemory = 5210; // sentence, when nothing more can be named
// Details appended to a failure's message, and the questions and labels that came with them.
inline constexpr unsigned SerialDevice = 5300;           // %1: the device
inline constexpr unsigned SerialDeviceReason = 5301;     // %1: the device, %2: the system's reason
inline constexpr unsigned NoSerialDevice = 5302;         // the reason when no device is chosen
inline constexpr unsigned SerialSettingsRejected = 5303; // the reason when no other is known
inline constexpr unsigned NameNotStorable = 5304;        // %1: the name, %2: the characters
inline constexpr unsigned FileIsEmpty = 5305;            // %1: the file
inline constexpr unsigned NotAProject = 5306;            // %1: the file
inline constexpr unsigned FolderMissing = 5308;          // %1: the file, %2: its folder
inline constexpr unsigned FolderNotWritable = 5309;      // %1: the file, %2: its folder
inline constexpr unsigned FolderReadOnly = 5310;         // %1: the file, %2: its folder
inline constexpr unsigned SerialDeviceBusy = 5311;       // the reason when another program holds it
// The Graph page.
inline constexpr unsigned EnterNumber = 5400;        // an offset edit that holds no number
inline constexpr unsigned PictureNotWritten = 5401;  // %1: the file, %2: the reason
inline constexpr unsigned PictureSizeRefused = 5402; // a picture width or height out of range

// The measurement pane and the annotation dialogs.
// The Edit Annotation dialog's altitude edit holds no number.
inline constexpr unsigned AnnotationAltitudeNotNumber = 5600;
// "Copy to Info" found no session comments open for editing.
inline constexpr unsigned MeasurementNotCopied = 5601;

// What a file or project operation that failed tells the user; %1 is the file, or the
// "unnamed" text after them when no name is known.
inline constexpr unsigned FileNotFound = 5700;
inline constexpr unsigned FileBadPath = 5701;
inline constexpr unsigned FileTooManyOpen = 5702;
inline constexpr unsigned FileAccessDenied = 5703;
inline constexpr unsigned FileDiskFull = 5704;
inline constexpr unsigned FileHardIo = 5705;
inline constexpr unsigned FilePastEnd = 5706;
inline constexpr unsigned FileGenericError = 5707;
inline constexpr unsigned UnnamedFile = 5708;
inline constexpr unsigned ArchivePastEnd = 5710;
inline constexpr unsigned ArchiveBadFormat = 5711;
inline constexpr unsigned ArchiveWriteWhileReading = 5712;
inline constexpr unsigned ArchiveReadWhileWriting = 5713;
inline constexpr unsigned ArchiveGenericError = 5714;
inline constexpr unsigned UnnamedArchive = 5715;
inline constexpr unsigned FileNotOpened = 5716; // %1: the file
inline constexpr unsigned FileNotRead = 5717;   // %1: the file
// Reasons for SettingsUnreadable's %2.
inline constexpr unsigned SettingsIsAFolder = 5718;
inline constexpr unsigned SettingsNotRegular = 5719;
inline constexpr unsigned SettingsReadError = 5720;

// Framework texts.
inline constexpr unsigned AppTitle = 57344;
inline constexpr unsigned IdleMessage = 57345;          // the status bar while no prompt is shown
inline constexpr unsigned FailedToOpenDocument = 61697; // %1: the file
inline constexpr unsigned AskToSave = 61699;            // %1: the project's path or title
} // namespace str
