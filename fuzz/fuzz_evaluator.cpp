// libFuzzer target: any formula text with a few bindings gives a value or a recorded error.
#include "calc/FormulaEvaluator.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace {
void Check(bool condition) {
    if (!condition)
        __builtin_trap();
}

void CheckOutcome(const CFormulaEvaluator& e, int code, std::string_view text) {
    Check(code >= 0 && code <= 9);
    Check(code == e.GetErrorCode());
    if (code == 0)
        return;
    Check(e.GetErrorToken().size() <= CFormulaEvaluator::kMaxTokenLength);
    Check(e.GetErrorPosition() >= -1);
    Check(static_cast<std::size_t>(e.GetErrorPosition() + 1) <= text.size());
    Check(!e.FormatError(CFormulaEvaluator::kErrorMessageBase).empty());
}
} // namespace

// Input: one byte whose low two bits give the number of bindings (X, PA, PR in that order),
// eight bytes of double per binding, then the formula text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    static const char* const kNames[] = {"X", "PA", "PR"};
    const std::size_t bindings = data[0] & 3u;
    std::size_t offset = 1;
    CFormulaEvaluator e;
    for (std::size_t i = 0; i < bindings && i < 3 && offset + 8 <= size; ++i, offset += 8) {
        double value = 0.0;
        std::memcpy(&value, data + offset, sizeof value);
        Check(e.SetVariable(kNames[i], value));
    }
    const std::string text(reinterpret_cast<const char*>(data + offset), size - offset);

    // Twice on one evaluator: assignments of the first run stay bound for the second.
    for (int run = 0; run < 2; ++run) {
        double result = 0.0;
        const int code = e.Evaluate(text, result);
        CheckOutcome(e, code, text);
    }
    return 0;
}
