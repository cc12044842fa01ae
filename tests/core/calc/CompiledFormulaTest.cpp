#include "calc/CompiledFormula.h"

#include "calc/FormulaEvaluator.h"
#include "calc/TranslationProgram.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>

namespace {
std::uint64_t Bits(double v) {
    return std::bit_cast<std::uint64_t>(v);
}

double FromBits(std::uint64_t bits) {
    return std::bit_cast<double>(bits);
}

// Two evaluators fed the same texts, one through Evaluate, the other through compiled
// programs; every step must leave both in the same state.
class Twins {
public:
    void Bind(const char* name, double value) {
        EXPECT_EQ(m_interpreted.SetVariable(name, value), m_compiled.SetVariable(name, value));
    }

    // Evaluates text once in each; returns the shared error code.
    int Step(const std::string& text) {
        CCompiledFormula program(text);
        return Step(text, program);
    }

    int Step(const std::string& text, CCompiledFormula& program) {
        double expected = 123.0;
        double actual = 456.0;
        const int code = m_interpreted.Evaluate(text, expected);
        EXPECT_EQ(program.Run(m_compiled, actual), code) << Shown(text);
        EXPECT_EQ(Bits(actual), Bits(expected))
            << Shown(text) << ": " << actual << " instead of " << expected;
        EXPECT_EQ(m_compiled.GetErrorCode(), m_interpreted.GetErrorCode()) << Shown(text);
        EXPECT_EQ(m_compiled.GetErrorPosition(), m_interpreted.GetErrorPosition()) << Shown(text);
        EXPECT_EQ(m_compiled.GetErrorToken(), m_interpreted.GetErrorToken()) << Shown(text);
        ExpectSameTable(text);
        return code;
    }

    CFormulaEvaluator& Interpreted() { return m_interpreted; }

private:
    static std::string Shown(const std::string& text) {
        std::string shown;
        for (char c : text)
            shown += c == '\0' ? std::string("\\0") : std::string(1, c);
        return '"' + shown + '"';
    }

    void ExpectSameTable(const std::string& text) {
        for (int i = 0; i < CFormulaEvaluator::kVariableSlots; ++i) {
            EXPECT_EQ(m_compiled.GetSlotName(i), m_interpreted.GetSlotName(i))
                << Shown(text) << " slot " << i;
            EXPECT_EQ(Bits(m_compiled.GetSlotValue(i)), Bits(m_interpreted.GetSlotValue(i)))
                << Shown(text) << " slot " << i;
        }
    }

    CFormulaEvaluator m_interpreted;
    CFormulaEvaluator m_compiled;
};
} // namespace

// The differential fuzzer covers the grammar broadly; these are the cases where the two paths
// most easily part: error positions and tokens, the result an error leaves (the partial value,
// or the previous statement's), and assignments made before a later error.
TEST(CompiledFormula, AgreesWithTheInterpreterOnErrorsAndPartialResults) {
    Twins t;
    t.Bind("X", 10);
    static const char* const kTexts[] = {
        "1 2",    "1.2.3",   ".",     "2^3^2",  "-2^2",     "(a=2)+a",  "a=b=3",     "a==3",
        "a=3;;a", "1;1+/2",  "4; a=", "(1+2",   "hypot(3)", "sin(,1)",  "sin(",      "()",
        "1\n",    "LN(2)",   "2 # 3", "b",      "10%0+1",   "2*3+foo",  "-(3*foo)",  "5;(a=)",
        "1;(",    "8/(X-X)", "3^foo", "6;a=5+", "1;2;3 $",  "9;(1)+(2", "hypot(1,)", "sqrt(4 9)"};
    for (const char* text : kTexts)
        t.Step(text);
    for (const char* text : {"7;a=3*foo", "sin(a=1)+a", "sin(1,2,3,b=4)", "exp(1000)-exp(1000)"})
        t.Step(text);
    t.Step("abcdefghijklmnopqrst=5; abcdefghijklmnoYY");
    t.Step(std::string("1+2\0+4;x", 8));
    t.Step("2 \xC3\xA9 3");
    EXPECT_EQ(t.Step(std::string(5000, '1')), CFormulaEvaluator::kErrorTooLong);
}

TEST(CompiledFormula, NanOperandsPropagateAsInTheInterpreter) {
    // Two NaNs that differ in sign and payload: which one an operation passes on depends on
    // the order of its operands.
    Twins t;
    t.Bind("X", FromBits(0x7ff8000000000123));
    t.Bind("PA", FromBits(0xfff8000000000456));
    for (const char* text :
         {"X+PA", "PA+X", "X-PA", "PA-X", "X*PA", "PA*X", "X^PA", "PA^X", "X%PA", "hypot(X,PA)",
          "-X", "sqrt(-1)+X", "X+sqrt(-1)", "-sqrt(-1)*sqrt(-1)", "ln(-1)-(-ln(-1))"})
        t.Step(text);
}

TEST(CompiledFormula, VariableTableEffectsMatch) {
    Twins t;
    std::string fill;
    for (int i = 1; i < 50; ++i)
        fill += "v" + std::to_string(i) + "=" + std::to_string(i) + ";";
    EXPECT_EQ(t.Step("a=1;a=2;A"), 0);
    EXPECT_EQ(t.Step(fill + "v49"), 0);
    EXPECT_EQ(t.Step("new=1"), CFormulaEvaluator::kErrorTooManyVariables);
    EXPECT_EQ(t.Step("A=7;V1=8;v1+a"), 0);
    EXPECT_EQ(t.Step("v2=;new=1;v3=;v3"), CFormulaEvaluator::kErrorUnknownVariable);
    EXPECT_EQ(t.Step("v5=;v4=;V5=2;v4=1;v6="), 0);
    EXPECT_EQ(t.Step("(v6=)+1"), CFormulaEvaluator::kErrorSyntax);
    // One program run again and again sees its own earlier assignments.
    CCompiledFormula counter("n=n+1");
    EXPECT_EQ(t.Step("n=n+1", counter), CFormulaEvaluator::kErrorUnknownVariable);
    t.Bind("N", 0);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(t.Step("n=n+1", counter), 0);
}

TEST(CompiledFormula, AgreesOnNestingAtAndBeyondTheLimit) {
    const int limit = CFormulaEvaluator::kMaxNesting;
    std::string calls;
    for (int i = 0; i < limit; ++i)
        calls += "abs(";
    Twins t;
    t.Step(std::string(limit, '(') + "1" + std::string(limit, ')'));
    t.Step(std::string(limit + 1, '(') + "1");
    t.Step(calls + "-2");
    t.Step(calls + "sin(1");
}

TEST(TranslationProgram, KnowsWhichPairsCarryState) {
    struct Case {
        const char* pressure;
        const char* altitude;
        bool carries;
        bool pressureAlone;
    };
    static const Case kCases[] = {
        {"(X/147.456)+10.555555", "ln(PA/PR) * (-29.153) * 293", false, true},
        {"p=X/147.456; p+10.555555", "r=PA/PR; ln(r)", false, true},
        {"q=X*2; X", "PA+q", false, false},
        {"n=0", "n=n+1; PA+n", false, false},
        {"X", "PR=PR+(PA-PR)/1000; ln(PA/PR)", true, true},
        // A failure before the assignment leaves the previous sample's q.
        {"1/(X-40000); q=X", "q+PA", true, false},
        {"1/(X-40000); q=X", "q=1; q+PA", false, true},
        {"X", "m=PA; hypot(m, PR)", false, true},
        {"X", "b=b+1", true, true},
        {"X=", "PA", false, true},
        {"X=", "X", false, false},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(std::string(c.pressure) + " | " + c.altitude);
        CTranslationProgram program(c.pressure, c.altitude);
        double pr = 0.0;
        ASSERT_TRUE(program.Reference(45000, pr));
        EXPECT_EQ(program.CarriesState(), c.carries);
        EXPECT_EQ(program.PressureDependsOnRawAlone(), c.pressureAlone);
    }
    // X, PA, PR and the names assigned must fit the evaluator's slots.
    std::string many;
    for (int i = 0; i < CFormulaEvaluator::kVariableSlots - 3; ++i)
        many += "v" + std::to_string(i) + "=1;";
    EXPECT_TRUE(CTranslationProgram(many + "X", "v0+PA").Usable());
    EXPECT_FALSE(CTranslationProgram(many + "X", "w=PA").Usable());
}
