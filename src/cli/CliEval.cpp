// kubo-cli eval: evaluates one formula once, with variables bound from NAME=VALUE arguments.
#include "CliCommand.h"
#include "calc/FormulaEvaluator.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {
// Output contract: the value as "%.17g\n" on stdout and exit 0, or on stdout
// "error CODE at POSITION 'TOKEN': MESSAGE\n" and exit 1 (a formula longer than 4096
// characters is error 10). Usage errors, a VALUE that is not a number among them, go to
// stderr, exit 2.
int RunEval(std::span<char*> args) {
    if (args.empty()) {
        std::fputs("kubo-cli: eval: missing FORMULA (usage: kubo-cli eval FORMULA "
                   "[NAME=VALUE ...])\n",
                   stderr);
        return kExitUsage;
    }
    // A value must be a whole number text: "X=" or "X=abc" would bind 0 without a word.
    std::vector<double> values;
    for (const char* binding : args.subspan(1)) {
        const char* equals = std::strchr(binding, '=');
        if (!equals) {
            std::fprintf(stderr, "kubo-cli: eval: '%s' is not NAME=VALUE\n", binding);
            return kExitUsage;
        }
        char* end = nullptr;
        values.push_back(std::strtod(equals + 1, &end));
        if (end == equals + 1 || *end != '\0') {
            std::fprintf(stderr, "kubo-cli: eval: '%s': the VALUE '%s' is not a number\n", binding,
                         equals + 1);
            return kExitUsage;
        }
    }

    CFormulaEvaluator evaluator;
    for (std::size_t i = 0; i + 1 < args.size(); ++i) {
        const char* binding = args[i + 1];
        const char* equals = std::strchr(binding, '=');
        const std::string_view name(binding, static_cast<std::size_t>(equals - binding));
        if (!evaluator.SetVariable(name, values[i]))
            std::fprintf(stderr, "kubo-cli: eval: no free variable slot for '%.*s'\n",
                         static_cast<int>(name.size()), name.data());
    }

    double result = 0.0;
    const int code = evaluator.Evaluate(args[0], result);
    if (code == CFormulaEvaluator::kNoError) {
        std::printf("%.17g\n", result);
        return kExitOk;
    }
    const std::string message = evaluator.FormatError(CFormulaEvaluator::kErrorMessageBase);
    std::printf("error %d at %d '%s': %s\n", code, evaluator.GetErrorPosition(),
                evaluator.GetErrorToken().c_str(), message.c_str());
    return kExitFailure;
}
} // namespace

KUBO_CLI_COMMAND(Eval, "eval", "eval FORMULA [NAME=VALUE ...]", RunEval)
