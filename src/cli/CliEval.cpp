// kubo-cli eval: evaluates one formula once, with variables bound from NAME=VALUE arguments.
#include "CliCommand.h"
#include "calc/FormulaEvaluator.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {
// Output contract: the value as "%.17g\n" on stdout and exit 0, or on stdout
// "error CODE at POSITION 'TOKEN': MESSAGE\n" and exit 1. Usage errors go to stderr, exit 2.
int RunEval(std::span<char*> args) {
    if (args.empty()) {
        std::fputs("kubo-cli: eval: missing FORMULA (usage: kubo-cli eval FORMULA "
                   "[NAME=VALUE ...])\n",
                   stderr);
        return kExitUsage;
    }
    for (const char* binding : args.subspan(1)) {
        if (!std::strchr(binding, '=')) {
            std::fprintf(stderr, "kubo-cli: eval: '%s' is not NAME=VALUE\n", binding);
            return kExitUsage;
        }
    }

    CFormulaEvaluator evaluator;
    for (const char* binding : args.subspan(1)) {
        const char* equals = std::strchr(binding, '=');
        const std::string_view name(binding, static_cast<std::size_t>(equals - binding));
        if (!evaluator.SetVariable(name, std::strtod(equals + 1, nullptr)))
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
