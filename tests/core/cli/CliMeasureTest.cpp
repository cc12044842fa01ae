#include "support/CliRun.h"

#include <gtest/gtest.h>

#ifdef KUBO_HAS_CLI_RUN
using cli_run::CliRun;
using cli_run::RunCli;

TEST(CliMeasure, PrintsTheSummaryOnly) {
    CliRun run = RunCli({"measure", "--from", "1.0416666666666667,350", "--to=2,420.5", "--minutes",
                         "--calc1", "DA/DT", "--title1", "Climb", "--calc2", "T1+T2+DT+A1+A2+DA",
                         "--title2="});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(
        run.out,
        "Measurement: [1 min 2.5 sec, 350.0 m] -> [2 min 0.0 sec, 420.5 m]; Delta: [57.5 sec, "
        "70.5 m]\nClimb: 1.22609\nUser  Calculation: 1081\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(
        RunCli({"measure", "--feet", "--to", "-5,-1", "--from", "5,1"}).out,
        "Measurement: [5.0 sec, 1.0 ft] -> [-5.0 sec, -1.0 ft]; Delta: [-10.0 sec, -2.0 ft]\n");
}

TEST(CliMeasure, ExitCodes) {
    const struct {
        std::vector<std::string> args;
        int exitCode;
    } cases[] = {
        {{"measure", "--from", "abc,1", "--to", "1,1"}, 1},
        {{"measure", "--from", "1,1", "--to", "1,"}, 1},
        {{"measure", "--from", "1,nan", "--to", "1,1"}, 1},
        {{"measure", "--from", "1,1"}, 2},
        {{"measure", "--from", "1", "--to", "1,1"}, 2},
        {{"measure", "--from", "1,1", "--to", "1,1", "--sec"}, 2},
        {{"measure", "--from", "1,1", "--to", "1,1", "--feet", "--feet"}, 2},
        {{"measure", "--from", "1,1", "--to", "1,1", "extra"}, 2},
        {{"measure", "--from", "1,1", "--to"}, 2},
    };
    for (const auto& c : cases) {
        CliRun run = RunCli(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.args[2] << " " << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind("kubo-cli: measure: ", 0), 0u) << run.err;
    }
}
#endif
