#include "support/CliRun.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#ifdef KUBO_HAS_CLI_RUN
#include "data/DataBlock.h"
#include "data/DataModule.h"
#include "shell/MainDoc.h"
#include "support/ProjectBuilder.h"

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <sys/stat.h>

using cli_run::CliRun;
using cli_run::RunCli;
namespace fs = std::filesystem;

namespace {

struct CliFiles : ::testing::Test, TempDir {
    CliFiles() : TempDir("kubo-cli-files") {}
};

std::string Data(const std::string& name) {
    return std::string(KUBO_TEST_DATA_DIR) + "/" + name;
}

// Two flights of a raw export: reference 300, rate 1000 ms, samples 298 and 301; reference
// 0x1234, rate 200 ms, samples 0x1234 and 0x1235. The name and date lines hold "126", which
// must not disturb synchronisation.
const std::string kRawTwoFlights = "Run 126\n"
                                   "126 126\n"
                                   "126\n005\n010\n127\n002\n000\n000\n"
                                   "255\n255\n255\n255\n255\n255\n255\n"
                                   "127\n"
                                   "001\n044\n010\n002\n253\n127\n"
                                   "018\n052\n002\n000\n255\n127\n"
                                   "128\n";

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

std::string RawExportOfTwoFlights(const std::string& date) {
    return "Flight 1\n" + date + "\n" + kRawTwoFlights.substr(kRawTwoFlights.find("\n126\n") + 1);
}

} // namespace

TEST_F(CliFiles, RawTextComesBackAsTheSameRawExport) {
    const std::string raw = Write("two.txt", kRawTwoFlights);
    CliRun run = RunCli({"export", "--raw", raw, "--date", "06.12.2026 18:00"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, RawExportOfTwoFlights("06.12.2026 18:00"));
    EXPECT_EQ(run.err, "");

    // To a file, with the options before the operand: nothing on stdout.
    run = RunCli({"export", "-o", Path("out.txt"), "--date=D", "--raw", raw});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(Read(Path("out.txt")), RawExportOfTwoFlights("D"));
}

TEST_F(CliFiles, TranslatedExportUsesTheGivenFormulas) {
    const std::string raw = Write("two.txt", kRawTwoFlights);
    CliRun run = RunCli({"export", "--translated", raw, "--pressure", "X/10", "--altitude",
                         "(PA-PR)*100", "--date", "D"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const std::string header = "#############################################\n"
                               "# Name:        Flight %N\n"
                               "# Date:        D\n"
                               "# Version:     5\n";
    auto headerOf = [&](int n) {
        std::string text = header;
        text.replace(text.find("%N"), 2, std::to_string(n));
        return text;
    };
    EXPECT_EQ(run.out, headerOf(1) +
                           "# Ref. Press:  30 (raw: 300)\n"
                           "# Sample Rate: 1000 ms\n"
                           "# Data Count:  2\n"
                           "# Altitude:    (PA-PR)*100\n"
                           "# Pressure:    X/10\n\n"
                           "# Time (sec)\tAltitude\tPressure\tRaw value\n"
                           "0\t-20\t29.8\t298\n"
                           "1\t10\t30.1\t301\n\n\n" +
                           headerOf(2) +
                           "# Ref. Press:  466 (raw: 4660)\n"
                           "# Sample Rate: 200 ms\n"
                           "# Data Count:  2\n"
                           "# Altitude:    (PA-PR)*100\n"
                           "# Pressure:    X/10\n\n"
                           "# Time (sec)\tAltitude\tPressure\tRaw value\n"
                           "0\t0\t466\t4660\n"
                           "0.2\t10\t466.1\t4661\n\n\n");

    // Without formulas the built-in ones apply: a sample equal to the reference is -0 m.
    run = RunCli({"export", "--translated", raw});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("# Altitude:    ln(PA/PR) * (-29.153) * 293\n"), std::string::npos);
    EXPECT_NE(run.out.find("\n0\t-0\t42.1582\t4660\n"), std::string::npos) << run.out;
}

TEST_F(CliFiles, InfoListsEveryFlightTabSeparated) {
    const std::string raw = Write("two.txt", kRawTwoFlights);
    CliRun run = RunCli({"info", raw});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "Session1\tFlight 1\t2\t1000\t300\t5\t0\t2.0 sec\t9.2 m\n"
                       "Session1\tFlight 2\t2\t200\t4660\t5\t0\t0.4 sec\t0.0 m\n");

    // A project: all flights of all sessions in project order, whatever the extension's case.
    const std::string upper = Path("TWO.QLG");
    fs::copy_file(Data("two_sessions_v2.qlg"), upper);
    run = RunCli({"info", upper});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "First\tFlight 1\t4\t10\t1000\t1\t2\t0.0 sec\t3.3 m\n"
                       "Second\tFlight 2\t0\t20\t2000\t2\t0\t0.0 sec\t0.0 m\n"
                       "Second\tFlight 3\t1\t30\t3000\t3\t0\t0.0 sec\t5.0 m\n");
}

TEST_F(CliFiles, ProjectFormulasAreReplacedForEveryFlight) {
    CliRun run = RunCli({"export", "--translated", Data("two_sessions_v6.qlg"), "--pressure", "X",
                         "--altitude", "PA-PR"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(Count(run.out, "# Pressure:    X\n"), 3u) << run.out;
    EXPECT_EQ(Count(run.out, "# Altitude:    PA-PR\n"), 3u);

    // One raw export over sessions: one header with total 3, one end mark.
    run = RunCli({"export", "--raw", Data("two_sessions_v6.qlg")});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("\n126\n001\n000\n127\n003\n"), std::string::npos) << run.out;
    EXPECT_TRUE(run.out.ends_with("\n127\n128\n"));
}

TEST_F(CliFiles, ImportWritesAVersionSixProjectWithOneSession) {
    const std::string raw = Write("two.txt", kRawTwoFlights);
    const std::string project = Path("two.qlg");
    CliRun run = RunCli({"import", raw, "-o", project, "--date", "D", "--pressure", "X/10"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "");
    const std::string bytes = Read(project);
    // Version 6, empty chart block, four empty texts, one session "Session1" with a null
    // parent and empty comments, holding two flights.
    const std::string start = std::string("\x06\x00\x00\x00\x00\x00\x00\x00\x01\x00\xFF\xFF\x00\x00"
                                          "\x0B\x00",
                                          16) +
                              "CDataModule" + std::string("\x00\x00\x08", 3) + "Session1" +
                              std::string("\x00\x00\x00\x00\x02\x00", 6);
    EXPECT_EQ(bytes.substr(0, start.size()), start);

    EXPECT_EQ(RunCli({"export", "--raw", project}).out, RawExportOfTwoFlights("D"));
    EXPECT_EQ(Count(RunCli({"export", "--translated", project}).out, "# Pressure:    X/10\n"), 2u);
}

TEST_F(CliFiles, ConvertRewritesOlderVersionsAsSix) {
    // A version-6 file comes back byte for byte (chart block and comments included).
    CliRun run = RunCli({"convert", Data("two_sessions_v6.qlg"), "-o", Path("six.qlg")});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(Read(Path("six.qlg")), Read(Data("two_sessions_v6.qlg")));

    for (const char* older :
         {"two_sessions_v1.qlg", "two_sessions_v3.qlg", "two_sessions_v5.qlg"}) {
        run = RunCli({"convert", Data(older), "-o", Path("new.qlg")});
        EXPECT_EQ(run.exitCode, 0) << run.err;
        const std::string bytes = Read(Path("new.qlg"));
        ASSERT_GE(bytes.size(), 2u);
        EXPECT_EQ(bytes.substr(0, 2), std::string("\x06\x00", 2)) << older;
        EXPECT_EQ(RunCli({"info", Path("new.qlg")}).out, RunCli({"info", Data(older)}).out)
            << older;
    }
}

TEST_F(CliFiles, BadInputExitsOneAndNamesTheFile) {
    const std::string truncated = Write("cut.qlg", Read(Data("two_sessions_v6.qlg")).substr(0, 60));
    const std::string garbage = Write("junk.QLG", "\x07\x00 not a project");
    const std::string noFlights = Write("none.txt", "name\ndate\nno transmission here\n");
    const std::string missing = Path("missing.txt");
    const std::string badOutput = Path("no/such/dir/x.qlg");
    // The arguments, and the file the message must name.
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"info", truncated}, truncated},
        {{"info", garbage}, garbage},
        {{"info", noFlights}, noFlights},
        {{"info", missing}, missing},
        {{"export", "--raw", Path("missing.qlg")}, Path("missing.qlg")},
        {{"export", "--translated", noFlights}, noFlights},
        {{"import", noFlights, "-o", Path("x.qlg")}, noFlights},
        {{"convert", truncated, "-o", Path("x.qlg")}, truncated},
        {{"convert", Data("two_sessions_v6.qlg"), "-o", badOutput}, badOutput},
    };
    for (const auto& [args, file] : cases) {
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.exitCode, 1) << args[0] << " " << file;
        EXPECT_EQ(run.err.rfind("kubo-cli: " + file + ": ", 0), 0u) << run.err;
        EXPECT_EQ(run.out, "");
    }
    EXPECT_FALSE(fs::exists(Path("x.qlg")));
}

// What the commands refused, and the words they used: a folder or a pipe given for a file
// (a pipe blocked info for good), an export over its own input (it replaced the project with
// text), a formula longer than 4096 characters (25 s of translation for a 150 KB one).
TEST_F(CliFiles, RefusalsSayWhatIsWrong) {
    const std::string raw = Write("two.txt", kRawTwoFlights);
    const std::string project = Write("p.qlg", Read(Data("two_sessions_v6.qlg")));
    fs::create_hard_link(project, Path("same.qlg"));
    fs::create_directories(Path("folder"));
    const std::string pipe = Path("pipe");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const std::string longFormula(5000, '1');
    struct Case {
        std::vector<std::string> args;
        std::string prefix; // how stderr must begin
        std::string words;
    };
    const std::vector<Case> cases = {
        {{"info", Path("folder")}, Path("folder"), "is a folder, not a file"},
        {{"info", pipe}, pipe, "is not a regular file"},
        {{"info", "/dev/zero"}, "/dev/zero", "is not a regular file"},
        {{"export", "--raw", raw, "-o", Path("folder")}, Path("folder"), "is a folder"},
        {{"export", "--raw", raw, "-o", pipe}, pipe, "is not a regular file"},
        {{"export", "--raw", project, "-o", project}, project, "would replace the input file"},
        {{"export", "--raw", project, "-o", Path("same.qlg")}, Path("same.qlg"), "input file"},
        {{"import", raw, "-o", Path("folder")}, Path("folder"), "is a folder"},
        {{"export", "--translated", raw, "--pressure", longFormula},
         "export: --pressure",
         "Formula longer than 4096 characters"},
        {{"import", raw, "-o", Path("x.qlg"), "--altitude", longFormula},
         "import: --altitude",
         "Formula longer than 4096 characters"},
    };
    for (const Case& c : cases) {
        const CliRun run = RunCli(c.args);
        EXPECT_EQ(run.exitCode, 1) << c.prefix;
        EXPECT_EQ(run.err.rfind("kubo-cli: " + c.prefix + ": ", 0), 0u) << run.err;
        EXPECT_NE(run.err.find(c.words), std::string::npos) << run.err;
    }
    EXPECT_EQ(Read(project), Read(Data("two_sessions_v6.qlg")));
    EXPECT_TRUE(fs::is_directory(Path("folder")));
    EXPECT_FALSE(fs::exists(Path("x.qlg")));
}

// Export wrote straight into its output: it now writes through a temporary beside the file a
// link ends at (the link stays) and renames it over that file once complete.
TEST_F(CliFiles, ExportReplacesTheFileALinkEndsAtAndKeepsTheLink) {
    const std::string raw = Write("two.txt", kRawTwoFlights);
    Write("real.txt", "earlier export");
    fs::create_symlink("real.txt", Path("link.txt"));
    const CliRun run = RunCli({"export", "--raw", raw, "--date", "D", "-o", Path("link.txt")});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(fs::is_symlink(Path("link.txt")));
    EXPECT_EQ(Read(Path("real.txt")), RawExportOfTwoFlights("D"));
    EXPECT_EQ(std::distance(fs::directory_iterator(Dir()), fs::directory_iterator()), 3);

    // A write that fails part-way (here at the file size limit) left a partial export in place
    // of the earlier one; the earlier one now stays whole, and no temporary is left.
    std::string longRaw = kRawTwoFlights.substr(0, kRawTwoFlights.find("001\n044"));
    for (int i = 0; i < 2000; ++i)
        longRaw += "000\n";
    const std::string big = Write("long.txt", longRaw + "127\n128\n");
    const CliRun cut =
        RunCli({"export", "--raw", big, "-o", Path("link.txt")}, "trap '' XFSZ; ulimit -f 4; ");
    EXPECT_EQ(cut.exitCode, 1);
    EXPECT_EQ(cut.err.rfind("kubo-cli: " + Path("link.txt") + ": ", 0), 0u) << cut.err;
    EXPECT_EQ(Read(Path("real.txt")), RawExportOfTwoFlights("D"));
    EXPECT_EQ(std::distance(fs::directory_iterator(Dir()), fs::directory_iterator()), 4);
}

#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
// Out of memory after loading aborted (exit 134, "std::bad_alloc"): the command names what it
// had no memory for and exits 1. The address space is limited so that the project loads but
// its translation does not fit.
TEST_F(CliFiles, OutOfMemoryNamesTheFlightAndExitsOne) {
    const std::string large = Path("large.qlg");
    {
        CMainDoc doc;
        CDataBlock* flight =
            testing_project::AddSession(doc, {"Flight 1"}, "Big")->GetFlights().GetHead();
        flight->SetPressureFormula(CMainDoc::kBuiltInPressureFormula);
        flight->SetAltitudeFormula(CMainDoc::kBuiltInAltitudeFormula);
        flight->GetRawSamples().assign(8'000'000, 30000);
        ASSERT_TRUE(doc.OnSaveDocument(large));
    }
    const CliRun run = RunCli({"info", large}, "ulimit -v 150000; ");
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_EQ(run.err, "kubo-cli: " + large + ": not enough memory for the flight \"Flight 1\"\n");
}
#endif

TEST_F(CliFiles, IncompleteTransmissionKeepsItsFlightsWithAWarning) {
    // Cut after the first flight: no end mark and no second flight.
    const std::string cut = kRawTwoFlights.substr(0, kRawTwoFlights.find("018\n"));
    const std::string raw = Write("cut.txt", cut);
    const CliRun run = RunCli({"info", raw});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "Session1\tFlight 1\t2\t1000\t300\t5\t0\t2.0 sec\t9.2 m\n");
    EXPECT_EQ(run.err.rfind("kubo-cli: " + raw + ": warning: ", 0), 0u) << run.err;
}

TEST_F(CliFiles, UsageErrorsExitTwo) {
    const std::string raw = Write("two.txt", kRawTwoFlights);
    const std::vector<std::vector<std::string>> cases = {
        {"export", raw},
        {"export", "--raw", "--translated", raw},
        {"export", "--raw"},
        {"export", "--raw", raw, "-o"},
        {"export", "--raw", raw, "--colour", "red"},
        {"info"},
        {"info", raw, raw},
        {"info", raw, "--pressure", "X"},
        {"import", raw},
        {"convert", Data("two_sessions_v6.qlg")},
        {"convert", Data("two_sessions_v6.qlg"), "-o", Path("a.qlg"), "--date", "D"},
    };
    for (const std::vector<std::string>& args : cases) {
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.exitCode, 2) << args.size();
        EXPECT_EQ(run.err.rfind("kubo-cli: ", 0), 0u) << run.err;
        EXPECT_EQ(run.out, "");
    }

    const CliRun help = RunCli({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    for (const char* command : {"export --translated|--raw", "info INPUT", "import RAWFILE",
                                "convert IN.qlg -o OUT.qlg", "eval FORMULA"})
        EXPECT_NE(help.out.find(command), std::string::npos) << command;
}

// The manual page is written by hand: every command and option --help names must have its
// section and its mention there.
TEST(CliManPage, DocumentsEveryCommandAndOptionOfHelp) {
    std::ifstream file(std::string(KUBO_TEST_DATA_DIR) + "/../../packaging/man/kubo-cli.1");
    ASSERT_TRUE(file);
    std::stringstream text;
    text << file.rdbuf();
    const std::string page = std::regex_replace(text.str(), std::regex(R"(\\-)"), "-");

    const CliRun help = RunCli({"--help"});
    const std::regex usageLine(R"(^  kubo-cli (\S+)(.*)$)", std::regex::multiline);
    const std::regex option(R"(--?[a-z][a-z0-9-]*)");
    int commands = 0;
    for (auto line = std::sregex_iterator(help.out.begin(), help.out.end(), usageLine);
         line != std::sregex_iterator(); ++line, ++commands) {
        EXPECT_NE(page.find(".SS \"" + (*line)[1].str() + " "), std::string::npos) << (*line)[0];
        const std::string rest = (*line)[2];
        for (auto it = std::sregex_iterator(rest.begin(), rest.end(), option);
             it != std::sregex_iterator(); ++it)
            EXPECT_NE(page.find(it->str()), std::string::npos) << (*line)[0] << ": " << it->str();
    }
    EXPECT_GE(commands, 6);
}

#endif
