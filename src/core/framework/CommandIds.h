// The numbered commands of the main window's menus, toolbar and accelerators.
#pragma once

// Framework-standard ids keep their numbers so that handlers written against them keep working;
// the program's own commands are 30000 and up.
namespace cmd {
inline constexpr unsigned FileNew = 57600;
inline constexpr unsigned FileOpen = 57601;
inline constexpr unsigned FileSave = 57603;
inline constexpr unsigned FileSaveAs = 57604;
inline constexpr unsigned FilePageSetup = 57605;
inline constexpr unsigned FilePrintSetup = 57606;
inline constexpr unsigned FilePrint = 57607;
inline constexpr unsigned FilePrintPreview = 57609;
inline constexpr unsigned FileMruFirst = 57616; // the recent-file list: FileMruFirst + index
inline constexpr unsigned FileMruCount = 4;
inline constexpr unsigned EditCopy = 57634;
inline constexpr unsigned EditCut = 57635;
inline constexpr unsigned EditFind = 57636;
inline constexpr unsigned EditPaste = 57637;
inline constexpr unsigned EditPasteSpecial = 57639;
inline constexpr unsigned EditRepeat = 57640; // Find Next
inline constexpr unsigned EditReplace = 57641;
inline constexpr unsigned EditSelectAll = 57642;
inline constexpr unsigned EditUndo = 57643;
inline constexpr unsigned AppAbout = 57664;
inline constexpr unsigned AppExit = 57665;
inline constexpr unsigned NextPane = 57680;
inline constexpr unsigned PrevPane = 57681;
inline constexpr unsigned FormatFont = 57696;
inline constexpr unsigned OleInsertNew = 57856;
inline constexpr unsigned OleEditLinks = 57857;
inline constexpr unsigned OleEditProperties = 57860;
inline constexpr unsigned OleVerbFirst = 57872; // Object Actions
inline constexpr unsigned ViewToolbar = 59392;
inline constexpr unsigned ViewStatusBar = 59393;

inline constexpr unsigned DataReadData = 30051;
inline constexpr unsigned DataInsertSession = 30052;
inline constexpr unsigned ExportTranslated = 30053;
inline constexpr unsigned ExportRaw = 30054;
inline constexpr unsigned ImportProject = 30061;
inline constexpr unsigned ImportRawText = 30062;
inline constexpr unsigned FlightAnnotation = 30071;
inline constexpr unsigned GraphApplyOffsets = 30072;
inline constexpr unsigned FormatBold = 30101;
inline constexpr unsigned FormatItalic = 30102;
inline constexpr unsigned FormatUnderline = 30103;
inline constexpr unsigned ParaAlignLeft = 30104;
inline constexpr unsigned ParaAlignCenter = 30105;
inline constexpr unsigned ParaAlignRight = 30106;
inline constexpr unsigned ParaBullets = 30109;
inline constexpr unsigned DataSettings = 30151;
inline constexpr unsigned EditName = 30201;
inline constexpr unsigned EditDelete = 30202;
inline constexpr unsigned ViewInfoPage = 30252;
inline constexpr unsigned ViewGraphPage = 30253;
inline constexpr unsigned ViewMeasurements = 30254;
inline constexpr unsigned GraphSavePicture = 30301;
inline constexpr unsigned GraphSettings = 30302;
inline constexpr unsigned CursorNone = 30303; // CursorNone .. CursorNone + 5: the cursor modes
inline constexpr unsigned CursorFloatingXY = 30308;
inline constexpr unsigned CursorNextSubset = 30311;
inline constexpr unsigned ZoomHorizontal = 30312;
inline constexpr unsigned ZoomBoth = 30313;
inline constexpr unsigned ZoomOut = 30314;
inline constexpr unsigned ZoomAll = 30315;
inline constexpr unsigned MeasurementMode = 30317;
// The Graph page's context menu: one item per flight, the flight's position added to the base.
inline constexpr unsigned AnnotationNewPoint = 30400;
inline constexpr unsigned AnnotationNewHorizontal = 30500;
inline constexpr unsigned AnnotationNewVertical = 30600;
inline constexpr unsigned AnnotationEdit = 30700;
inline constexpr unsigned GraphCopyPicture = 32817;
} // namespace cmd
