// kubo-cli notes: the session comments of a project as plain text, or replaced from a file.
#include "CliCommand.h"
#include "CliOptions.h"
#include "CliProject.h"
#include "data/DataModule.h"
#include "framework/FileException.h"
#include "framework/FileInput.h"
#include "text/RtfReader.h"
#include "text/RtfWriter.h"

#include <cstdio>
#include <new>

namespace {
constexpr const char* kUsageShow = "notes INPUT.qlg [--session N] [--rtf]";
constexpr const char* kUsageSet = "notes INPUT.qlg --session N --set FILE -o OUTPUT.qlg";
constexpr const char* kUsage = "notes INPUT.qlg [--session N] [--rtf]\n"
                               "notes INPUT.qlg --session N --set FILE -o OUTPUT.qlg";

// The format of the text a plain-text FILE gives.
const CRichCharFormat kPlainTextFormat{"Arial", 20, false, false, false, std::nullopt};

struct DroppedName {
    unsigned bit;
    const char* name;
};

constexpr DroppedName kDroppedNames[] = {
    {kRtfDroppedObject, "embedded objects"},
    {kRtfDroppedPicture, "pictures other than PNG and JPEG"},
    {kRtfDroppedField, "field instructions"},
    {kRtfDroppedTable, "table layout"},
    {kRtfDroppedNumbering, "paragraph numbers"},
    {kRtfDroppedNote, "footnotes and annotations"},
    {kRtfDroppedHeader, "headers and footers"},
    {kRtfDroppedShape, "drawing objects"},
    {kRtfDroppedNesting, "groups nested too deeply"},
};

bool Print(std::string_view bytes) {
    return bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
}

std::string_view View(const CMemFile& file) {
    const auto data = file.Data();
    return {reinterpret_cast<const char*>(data.data()), data.size()};
}

// A session number: decimal digits only. nullopt when the text is not one.
std::optional<std::size_t> ParseSessionNumber(const std::string& text) {
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    std::size_t number = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        number = number * 10 + static_cast<std::size_t>(c - '0');
    }
    return number;
}

// The whole file; nullopt (after "kubo-cli: FILE: reason") when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path) {
    try {
        CFileInput input(path);
        std::string bytes;
        char buffer[65536];
        while (const std::size_t got =
                   input.Read(reinterpret_cast<std::uint8_t*>(buffer), sizeof buffer))
            bytes.append(buffer, got);
        return bytes;
    } catch (const CFileException& error) {
        const auto cause = error.GetCause();
        ReportCliFileError(path, cause == CFileException::fileNotFound   ? "no such file"
                                 : cause == CFileException::accessDenied ? "access denied"
                                                                         : "cannot read the file");
    } catch (const std::bad_alloc&) {
        ReportCliFileError(path, "out of memory");
    }
    return std::nullopt;
}

// FILE as the comments editor would store it: RTF (when it begins with "{\rtf") read into the
// rich-text model, else UTF-8 text with one paragraph per line; written by the RTF writer.
std::optional<std::string> CommentsFromFile(const std::string& path) {
    std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes)
        return std::nullopt;
    std::string_view content = *bytes;
    if (content.starts_with("{\\rtf")) {
        CRtfReadReport report;
        const CRichDocument doc = ReadRtf(content, &report);
        std::string lost;
        for (const DroppedName& dropped : kDroppedNames)
            if (report.dropped & dropped.bit)
                lost += (lost.empty() ? "" : ", ") + std::string(dropped.name);
        if (!lost.empty())
            ReportCliFileError(path,
                               "warning: left out what session comments cannot hold: " + lost);
        if (report.truncated)
            ReportCliFileError(path, "warning: the RTF ends early; kept what came before");
        return WriteRtf(doc);
    }
    if (content.starts_with("\xEF\xBB\xBF"))
        content.remove_prefix(3);
    return WriteRtf(CRichDocument::FromPlainText(content, kPlainTextFormat));
}

// Output contract. Without --set: the comments of session N, or of every session each after a
// line "== NAME ==", as plain text: one line per paragraph, each ended by a line feed, line
// breaks as line feeds, tabs as tabs, bullet text and embedded objects left out, UTF-8. An empty
// comment prints nothing (in the listing: its header line only). With --rtf the stored bytes
// come out unchanged; in the listing a line feed follows those that do not end with one, so
// that each header starts a line. With --set: session N's comments are replaced (plain text
// set in Arial 10 pt) and the project is saved to OUTPUT; nothing is printed.
int RunNotes(std::span<char*> args) {
    const std::optional<CliOptions> options =
        ParseCliOptions("notes", args, kOptOutput | kOptNotes);
    if (!options)
        return kExitUsage;
    const char* usage = options->set ? kUsageSet : kUsageShow;
    if (options->operands.size() != 1)
        return CliUsageError("notes", "give one INPUT.qlg", usage);
    std::optional<std::size_t> number;
    if (options->session) {
        number = ParseSessionNumber(*options->session);
        if (!number)
            return CliUsageError("notes", "bad session number '" + *options->session + "'", usage);
    }
    if (options->set) {
        if (!number)
            return CliUsageError("notes", "--set needs --session N", usage);
        if (!options->output)
            return CliUsageError("notes", "--set needs -o OUTPUT.qlg", usage);
        if (options->rtf)
            return CliUsageError("notes", "--rtf does not go with --set", usage);
    } else if (options->output) {
        return CliUsageError("notes", "-o goes with --set only", kUsageSet);
    }

    const std::string& input = options->operands.front();
    CCliProject project;
    if (!project.LoadProject(input, {}))
        return kExitFailure;
    CObListEx<CDataModule>& sessions = project.Document().GetSessions();
    const auto count = static_cast<std::size_t>(sessions.GetCount());
    if (number && (*number == 0 || *number > count)) {
        ReportCliFileError(input, "no session " + *options->session + " (the project has " +
                                      std::to_string(count) + ")");
        return kExitFailure;
    }

    std::size_t index = 0;
    bool written = true;
    for (CDataModule* session : sessions) {
        if (number && ++index != *number)
            continue;
        if (options->set) {
            const std::optional<std::string> comments = CommentsFromFile(*options->set);
            if (!comments)
                return kExitFailure;
            session->GetComments().Assign(
                {reinterpret_cast<const std::uint8_t*>(comments->data()), comments->size()});
            return project.Save(*options->output) ? kExitOk : kExitFailure;
        }
        if (!number)
            written = written && Print("== " + session->GetName() + " ==\n");
        const std::string_view stored = View(session->GetComments());
        if (options->rtf) {
            written = written && Print(stored);
            if (!number && !stored.empty() && !stored.ends_with('\n'))
                written = written && Print("\n");
        } else {
            written = written && Print(ReadRtf(stored).PlainText());
        }
    }
    return written && std::fflush(stdout) == 0 ? kExitOk : kExitFailure;
}
} // namespace

KUBO_CLI_COMMAND(Notes, "notes", kUsage, RunNotes)
