#include "support/CliRun.h"

#include <gtest/gtest.h>

#ifdef KUBO_HAS_CLI_RUN
using cli_run::CliRun;
using cli_run::RunCli;

TEST(CliEval, PrintsTheValueWithSeventeenDigits) {
    CliRun run = RunCli({"eval", "(X/147.456)+10.555555", "X=10"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "10.623371840277779\n");
    EXPECT_EQ(run.err, "");

    EXPECT_EQ(RunCli({"eval", "-2^2"}).out, "4\n");
    EXPECT_EQ(RunCli({"eval", "1/3"}).out, "0.33333333333333331\n");
    // Bindings are made in order with strtod; names ignore letter case.
    EXPECT_EQ(RunCli({"eval", "pa*x", "PA=2", "PA=3", "X=0x10"}).out, "48\n");
    EXPECT_EQ(RunCli({"eval", "exp(1000)"}).out, "inf\n");
}

TEST(CliEval, PrintsTheErrorLineOnStandardOutput) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"eval", "hypot(3)"},
         "error 7 at 7 'hypot': Wrong number of arguments to function 'hypot' at character 7\n"},
        {{"eval", "abc+1"}, "error 4 at 2 'abc': Unknown variable 'abc' at character 2\n"},
        {{"eval", ""}, "error 9 at -1 '': Empty expression\n"},
        {{"eval", "10/x", "x=0"}, "error 3 at 3 '': Division by zero\n"},
        {{"eval", std::string(4097, '1')},
         "error 10 at 4096 '': Formula longer than 4096 characters\n"},
    };
    for (const auto& [args, out] : cases) {
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.exitCode, 1) << out;
        EXPECT_EQ(run.out, out);
        EXPECT_EQ(run.err, "");
    }
}

TEST(CliEval, UsageErrorsGoToStandardErrorWithExitTwo) {
    // A VALUE that is not a number bound 0 in silence.
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"eval"}, std::vector<std::string>{"eval", "x", "x"},
          std::vector<std::string>{"eval", "x+1", "x=abc"},
          std::vector<std::string>{"eval", "x", "x="},
          std::vector<std::string>{"eval", "x", "x=1=2"}}) {
        CliRun run = RunCli(args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind("kubo-cli: ", 0), 0u) << run.err;
    }
}
#endif
