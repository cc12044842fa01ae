#include "support/ByteBuilder.h"
#include "support/CliRun.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#ifdef KUBO_HAS_CLI_RUN
#include <filesystem>

using cli_run::CliRun;
using cli_run::RunCli;

namespace {

// As a rich edit control writes comments: a Central European font, bullets, a line break and
// a tab, and no paragraph mark after the last line.
const std::string kBullets =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}"
    "{\\f1\\fnil\\fcharset238 Arial CE;}{\\f2\\fnil\\fcharset2 Symbol;}}\r\n"
    "{\\*\\generator Msftedit 5.41.21.2510;}\\viewkind4\\uc1\\pard\\f0\\fs20 Thermals\\tab "
    "good\\line until 3 pm\\par\r\n\\pard{\\pntext\\f2\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf2"
    "\\pnindent0{\\pntxtb\\'B7}}\\fi-720\\li720\\f1 \\'8aumava\\par\r\n{\\pntext\\f2\\'B7\\tab}"
    "\\f0\\u8364?5\\par\r\n\\pard last}\r\n";
const std::string kBulletsText = "Thermals\tgood\nuntil 3 pm\n\u0160umava\n\u20AC5\nlast\n";
const std::string kObject = "{\\rtf1\\ansi a\\par{\\object\\objemb{\\*\\objdata 01}}\\par b\\par}";

struct CliNotes : ::testing::Test, TempDir {
    CliNotes() : TempDir("kubo-cli-notes") {
        m_project = Write(
            "p.qlg", Project({{"Flight \xE9t\xE9", kBullets}, {"Empty", ""}, {"Object", kObject}}));
    }

    // A version-6 project of sessions without flights: name (Windows-1252) and stored comments.
    static std::string Project(const std::vector<std::pair<std::string, std::string>>& sessions) {
        ByteBuilder bytes;
        bytes.u16(6).u16(0).u8(0).u8(0).u8(0).u8(0).u16(
            static_cast<std::uint16_t>(sessions.size()));
        for (std::size_t i = 0; i < sessions.size(); ++i) {
            if (i == 0)
                bytes.newClass("CDataModule");
            else
                bytes.u16(0x8001);
            const auto& [name, comments] = sessions[i];
            bytes.u16(0)
                .text(name)
                .u32(static_cast<std::uint32_t>(comments.size()))
                .chars(comments);
            bytes.u16(0);
        }
        return {bytes.bytes().begin(), bytes.bytes().end()};
    }

    std::string m_project;
};

TEST_F(CliNotes, PrintsPlainTextOfOneSessionOrAll) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"notes", m_project, "--session", "1"}, kBulletsText},
        {{"notes", "--session=2", m_project}, ""},
        {{"notes", m_project, "--session", "3"}, "a\n\nb\n"},
        {{"notes", m_project},
         "== Flight \u00E9t\u00E9 ==\n" + kBulletsText + "== Empty ==\n== Object ==\na\n\nb\n"},
        {{"notes", m_project, "--session", "1", "--rtf"}, kBullets},
        {{"notes", m_project, "--rtf"},
         "== Flight \u00E9t\u00E9 ==\n" + kBullets + "== Empty ==\n== Object ==\n" + kObject +
             "\n"},
    };
    for (const auto& [args, out] : cases) {
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.exitCode, 0) << args.back() << run.err;
        EXPECT_EQ(run.out, out) << args.back();
        EXPECT_EQ(run.err, "");
    }
}

TEST_F(CliNotes, SetReplacesOneSessionThroughTheWriter) {
    const std::string out = Path("out.qlg");
    // Plain text: one paragraph per line, CR LF too, a byte order mark dropped.
    const std::string text = Write("notes.txt", "\xEF\xBB\xBFLift \u010D. 1\r\n\tclimb {fast}\n\n");
    CliRun run = RunCli({"notes", m_project, "--session", "2", "--set", text, "-o", out});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out + run.err, "");
    EXPECT_EQ(RunCli({"notes", out, "--session", "2"}).out, "Lift \u010D. 1\n\tclimb {fast}\n\n");
    EXPECT_TRUE(RunCli({"notes", out, "--session", "2", "--rtf"})
                    .out.starts_with("{\\rtf1\\ansi\\ansicpg1252\\deff0"));
    // The other sessions keep their bytes.
    EXPECT_EQ(RunCli({"notes", out, "--session", "1", "--rtf"}).out, kBullets);

    // RTF is read and written again; what it cannot keep is named on stderr.
    const std::string rtf = Write("notes.rtf", kObject);
    run = RunCli({"notes", out, "--session", "1", "--set", rtf, "-o", out});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("warning: "), std::string::npos);
    EXPECT_NE(run.err.find("embedded objects"), std::string::npos);
    EXPECT_EQ(RunCli({"notes", out, "--session", "1"}).out, "a\n\nb\n");

    // An empty file stores a stream of empty text, not empty comments.
    run = RunCli({"notes", out, "--session", "1", "--set", Write("empty.txt", ""), "-o", out});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(RunCli({"notes", out, "--session", "1"}).out, "");
    EXPECT_TRUE(RunCli({"notes", out, "--session", "1", "--rtf"}).out.starts_with("{\\rtf1"));
}

TEST_F(CliNotes, FailuresAndUsageErrors) {
    const std::string out = Path("out.qlg");
    const std::string text = Write("notes.txt", "x\n");
    const std::string missing = Path("missing.txt");
    // Exit 1, naming the file.
    const std::vector<std::pair<std::vector<std::string>, std::string>> failures = {
        {{"notes", m_project, "--session", "4"}, m_project},
        {{"notes", m_project, "--session", "0"}, m_project},
        {{"notes", missing}, missing},
        {{"notes", Write("cut.qlg", Read(m_project).substr(0, 30))}, Path("cut.qlg")},
        {{"notes", m_project, "--session", "1", "--set", missing, "-o", out}, missing},
        {{"notes", m_project, "--session", "1", "--set", Dir().string(), "-o", out},
         Dir().string()},
        {{"notes", m_project, "--session", "9", "--set", text, "-o", out}, m_project},
    };
    for (const auto& [args, file] : failures) {
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.exitCode, 1) << file;
        EXPECT_TRUE(run.err.starts_with("kubo-cli: " + file + ": ")) << run.err;
        EXPECT_EQ(run.out, "");
    }
    EXPECT_FALSE(std::filesystem::exists(out));

    const std::vector<std::vector<std::string>> usage = {
        {"notes"},
        {"notes", m_project, m_project},
        {"notes", m_project, "--session", "one"},
        {"notes", m_project, "--session", "-1"},
        {"notes", m_project, "--set", text, "-o", out},
        {"notes", m_project, "--session", "1", "--set", text},
        {"notes", m_project, "--session", "1", "-o", out},
        {"notes", m_project, "--session", "1", "--set", text, "-o", out, "--rtf"},
        {"notes", m_project, "--rtf", "--rtf"},
        {"notes", m_project, "--raw"},
    };
    for (const std::vector<std::string>& args : usage) {
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.exitCode, 2) << args.back();
        EXPECT_TRUE(run.err.starts_with("kubo-cli: ")) << run.err;
        EXPECT_EQ(run.out, "");
    }
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_NE(RunCli({"--help"}).out.find("notes INPUT.qlg --session N --set FILE -o OUTPUT.qlg"),
              std::string::npos);
}

} // namespace

#endif
