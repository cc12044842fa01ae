// libFuzzer target: compiled formulas against the interpreter, step by step, to the bit.
#include "calc/CompiledFormula.h"
#include "calc/FormulaEvaluator.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {
constexpr char kSeparator = '|';
constexpr std::size_t kMaxTexts = 16;

std::uint64_t Bits(double v) {
    return std::bit_cast<std::uint64_t>(v);
}

[[noreturn]] void Differ(const char* what, std::string_view text) {
    std::fprintf(stderr, "compiled form differs from the interpreter in %s on \"", what);
    for (const char c : text)
        std::fprintf(stderr, c >= 32 && c < 127 ? "%c" : "\\x%02x", static_cast<unsigned char>(c));
    std::fprintf(stderr, "\"\n");
    std::abort();
}

// Both evaluators must be in the same state after every step: outcome and variable table.
void Compare(const CFormulaEvaluator& interpreted, const CFormulaEvaluator& compiled, int code,
             int compiledCode, double result, double compiledResult, std::string_view text) {
    if (code != compiledCode || interpreted.GetErrorCode() != compiled.GetErrorCode())
        Differ("the error code", text);
    if (Bits(result) != Bits(compiledResult))
        Differ("the result", text);
    if (interpreted.GetErrorPosition() != compiled.GetErrorPosition())
        Differ("the error position", text);
    if (interpreted.GetErrorToken() != compiled.GetErrorToken())
        Differ("the error token", text);
    for (int i = 0; i < CFormulaEvaluator::kVariableSlots; ++i) {
        if (interpreted.GetSlotName(i) != compiled.GetSlotName(i))
            Differ("a variable's name", text);
        if (Bits(interpreted.GetSlotValue(i)) != Bits(compiled.GetSlotValue(i)))
            Differ("a variable's value", text);
    }
}

// A program that cannot change variables must leave the table as it found it: the
// translation evaluates such formulas once per distinct raw value.
struct Table {
    explicit Table(const CFormulaEvaluator& e) {
        for (int i = 0; i < CFormulaEvaluator::kVariableSlots; ++i) {
            names[static_cast<std::size_t>(i)] = e.GetSlotName(i);
            values[static_cast<std::size_t>(i)] = Bits(e.GetSlotValue(i));
        }
    }
    friend bool operator==(const Table&, const Table&) = default;
    std::array<std::string, CFormulaEvaluator::kVariableSlots> names;
    std::array<std::uint64_t, CFormulaEvaluator::kVariableSlots> values{};
};

void BindBoth(CFormulaEvaluator& a, CFormulaEvaluator& b, const char* name, double value) {
    if (a.SetVariable(name, value) != b.SetVariable(name, value))
        Differ("binding", name);
}
} // namespace

// Input: a control byte, up to three doubles (8 bytes each), then formula texts separated by
// '|'. Control bits 0-1: how many of X, PA, PR are bound to the doubles; bit 2: the table is
// filled nearly full first, so that assignments of new names run out of slots; bit 3: the
// texts run a second time (each program again, after its own assignments); bit 4: X is
// rebound before every step, as the translation rebinds it per sample.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::uint8_t control = data[0];
    std::size_t offset = 1;
    static const char* const kNames[] = {"X", "PA", "PR"};
    CFormulaEvaluator interpreted;
    CFormulaEvaluator compiled;
    double x = 0.0;
    for (std::size_t i = 0; i < (control & 3u) && offset + 8 <= size; ++i, offset += 8) {
        double value = 0.0;
        std::memcpy(&value, data + offset, sizeof value);
        BindBoth(interpreted, compiled, kNames[i], value);
        if (i == 0)
            x = value;
    }
    if (control & 4u)
        for (int i = 0; i < CFormulaEvaluator::kVariableSlots - 5; ++i)
            BindBoth(interpreted, compiled, ("f" + std::to_string(i)).c_str(), i);

    std::vector<std::string> texts;
    std::vector<CCompiledFormula> programs;
    const std::string_view rest(reinterpret_cast<const char*>(data + offset), size - offset);
    for (std::size_t start = 0; texts.size() < kMaxTexts;) {
        const std::size_t end = rest.find(kSeparator, start);
        texts.emplace_back(rest.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    programs.reserve(texts.size());
    for (const std::string& text : texts)
        programs.emplace_back(text);

    const int passes = (control & 8u) ? 2 : 1;
    int step = 0;
    for (int pass = 0; pass < passes; ++pass) {
        for (std::size_t i = 0; i < texts.size(); ++i, ++step) {
            if (control & 16u)
                BindBoth(interpreted, compiled, "X", x + step);
            double result = 1.5;
            double compiledResult = -2.5;
            const Table before(compiled);
            const int code = interpreted.Evaluate(texts[i], result);
            const int compiledCode = programs[i].Run(compiled, compiledResult);
            Compare(interpreted, compiled, code, compiledCode, result, compiledResult, texts[i]);
            if (!programs[i].ChangesVariables() && !(Table(compiled) == before))
                Differ("a variable table it claims not to change", texts[i]);
        }
    }
    return 0;
}
