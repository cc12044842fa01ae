// CCliProject: the project a kubo-cli command works on, loaded from a project or raw text file.
#pragma once

#include "CliUi.h"
#include "shell/MainDoc.h"

#include <optional>
#include <string>
#include <vector>

class CDataBlock;
class CException;

// What a command sets on the flights it loads. Formulas: for raw text, the formulas decoded
// flights get (the built-in ones otherwise); for a project, they replace the stored ones of
// every flight. The date applies to decoded flights only (the local date and time otherwise).
struct CliFlightSettings {
    std::optional<std::string> pressureFormula;
    std::optional<std::string> altitudeFormula;
    std::optional<std::string> date;
};

// Holds a document with the built-in settings (the user's registry is never read) and a
// windowless user interface. Every failing operation writes "kubo-cli: FILE: reason" to stderr
// and returns false.
class CCliProject {
public:
    CCliProject();
    CCliProject(const CCliProject&) = delete;
    CCliProject& operator=(const CCliProject&) = delete;

    // A name ending in ".qlg" (any case).
    [[nodiscard]] static bool IsProjectPath(const std::string& path);

    // Loads a project file or a raw text file, chosen by IsProjectPath.
    [[nodiscard]] bool Load(const std::string& path, const CliFlightSettings& settings);
    // Appends the sessions of a project file, of any version from 1 to 6.
    [[nodiscard]] bool LoadProject(const std::string& path, const CliFlightSettings& settings);
    // Decodes a raw text file (its first two lines skipped) into one new session "Session1".
    // An incomplete transmission keeps what was decoded, with a warning; false when no flight
    // was decoded.
    [[nodiscard]] bool LoadRawText(const std::string& path, const CliFlightSettings& settings);
    // Writes the project as a version-6 file through a temporary file renamed over path.
    [[nodiscard]] bool Save(const std::string& path);

    [[nodiscard]] CMainDoc& Document() { return m_doc; }
    // Every flight of every session, in project order.
    [[nodiscard]] std::vector<CDataBlock*> Flights() const;

private:
    CCliUi m_ui;
    CMainDoc m_doc;
};

// Writes "kubo-cli: FILE: reason" to stderr.
void ReportCliFileError(const std::string& path, const std::string& reason);
// A short reason for a framework error ("no such file", "disk full"); the file is named by the
// caller.
[[nodiscard]] std::string CliExceptionReason(const CException& error);
