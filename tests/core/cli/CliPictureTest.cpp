// kubo-cli picture: formats by extension, sizes, the flights drawn and the exit codes.
#include "support/CliRun.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#if defined(KUBO_HAS_CLI_RUN) && defined(KUBO_CLI_HAS_PICTURE)
using cli_run::CliRun;
using cli_run::RunCli;

namespace {
struct CliPicture : ::testing::Test, TempDir {
    CliPicture() : TempDir("kubo-cli-picture") {}
};

// Flight 1 of session 2 is the one shown in the graph; the others are not.
const std::string kProject = std::string(KUBO_TEST_DATA_DIR) + "/two_sessions_v6.qlg";

// Two flights of a raw transmission (reference 300 and 0x1234), none shown.
const std::string kRaw = "Run\n06.12.2026\n"
                         "126\n005\n010\n127\n002\n000\n000\n"
                         "255\n255\n255\n255\n255\n255\n255\n"
                         "127\n001\n044\n010\n002\n253\n127\n"
                         "018\n052\n002\n000\n255\n127\n128\n";

unsigned BigEndian32(const std::string& bytes, std::size_t at) {
    unsigned value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value = value << 8 | static_cast<unsigned char>(bytes.at(at + i));
    return value;
}
} // namespace

TEST_F(CliPicture, WritesTheFormatItsNameAsksForAtTheSizeGiven) {
    const std::string raw = Write("two.txt", kRaw);
    CliRun run = RunCli({"picture", raw, "-o", Path("p.png")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out + run.err, "");
    std::string png = Read(Path("p.png"));
    ASSERT_EQ(png.substr(1, 3), "PNG");
    EXPECT_EQ(BigEndian32(png, 16), 1200u);
    EXPECT_EQ(BigEndian32(png, 20), 800u);

    ASSERT_EQ(RunCli({"picture", "--size", "300x20000", raw, "-o", Path("q.PNG")}).exitCode, 0);
    png = Read(Path("q.PNG"));
    EXPECT_EQ(BigEndian32(png, 16), 300u);
    EXPECT_EQ(BigEndian32(png, 20), 20000u);

    const struct {
        const char* name;
        std::string start;
    } kinds[] = {{"p.jpeg", "\xFF\xD8"},
                 {"p.jpg", "\xFF\xD8"},
                 {"p.bmp", "BM"},
                 {"p.pdf", "%PDF"},
                 {"p.svg", "<?xml"}};
    for (const auto& kind : kinds) {
        run =
            RunCli({"picture", raw, "-o", Path(kind.name), "--seconds", "--feet", "--size=64x48"});
        EXPECT_EQ(run.exitCode, 0) << kind.name << run.err;
        EXPECT_EQ(Read(Path(kind.name)).substr(0, kind.start.size()), kind.start) << kind.name;
    }
}

TEST_F(CliPicture, DrawsTheShownFlightsByDefaultOrThoseListed) {
    ASSERT_EQ(RunCli({"picture", kProject, "-o", Path("default.png")}).exitCode, 0);
    ASSERT_EQ(RunCli({"picture", kProject, "-o", Path("listed.png"), "--flights", "2.1"}).exitCode,
              0);
    ASSERT_EQ(
        RunCli({"picture", kProject, "-o", Path("two.png"), "--flights", "2.1, 1.1"}).exitCode, 0);
    EXPECT_EQ(Read(Path("default.png")), Read(Path("listed.png")));
    EXPECT_NE(Read(Path("default.png")), Read(Path("two.png")));
}

TEST_F(CliPicture, BadInputExitsOneAndUsageErrorsTwo) {
    const std::string out = Path("x.png");
    const struct {
        std::vector<std::string> args;
        int exitCode;
    } cases[] = {
        {{"picture", Path("missing.qlg"), "-o", out}, 1},
        {{"picture", kProject, "-o", Path("x.gif")}, 1},
        {{"picture", kProject, "-o", Path("noextension")}, 1},
        {{"picture", kProject, "-o", out, "--flights", "1.1,3.1"}, 1},
        {{"picture", kProject, "-o", out, "--flights", "0.1"}, 1},
        {{"picture", kProject, "-o", out, "--size", "0x800"}, 1},
        {{"picture", kProject, "-o", out, "--size", "1200x20001"}, 1},
        {{"picture", kProject, "-o", out, "--size", "-5x5"}, 1},
        {{"picture", kProject, "-o", Path("no/such/dir.png")}, 1},
        {{"picture", kProject}, 2},
        {{"picture", "-o", out}, 2},
        {{"picture", kProject, kProject, "-o", out}, 2},
        {{"picture", kProject, "-o", out, "--size", "1200"}, 2},
        {{"picture", kProject, "-o", out, "--size", "12.5x800"}, 2},
        {{"picture", kProject, "-o", out, "--flights", "1"}, 2},
        {{"picture", kProject, "-o", out, "--flights", "1.1,"}, 2},
        {{"picture", kProject, "-o", out, "--seconds", "--seconds"}, 2},
        {{"picture", kProject, "-o", out, "--dpi", "3"}, 2},
    };
    for (const auto& c : cases) {
        const CliRun run = RunCli(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.args.back() << ": " << run.err;
        EXPECT_EQ(run.err.rfind("kubo-cli: ", 0), 0u) << run.err;
    }
    EXPECT_FALSE(std::filesystem::exists(out));
}
#endif
