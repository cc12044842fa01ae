#include "calc/FormulaEvaluator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {
struct Outcome {
    int code;
    double value;
};

Outcome Eval(CFormulaEvaluator& e, const std::string& text) {
    double value = -1.0;
    const int code = e.Evaluate(text, value);
    return {code, value};
}

double Value(const std::string& text) {
    CFormulaEvaluator e;
    const Outcome o = Eval(e, text);
    EXPECT_EQ(o.code, 0) << text << ": " << e.FormatError(CFormulaEvaluator::kErrorMessageBase);
    return o.value;
}

struct ErrorCase {
    const char* text;
    int code;
    int position;
    const char* token;
};

void ExpectErrors(std::initializer_list<ErrorCase> cases) {
    for (const ErrorCase& c : cases) {
        CFormulaEvaluator e;
        double value = 0.0;
        EXPECT_EQ(e.Evaluate(c.text, value), c.code) << c.text;
        EXPECT_EQ(e.GetErrorCode(), c.code) << c.text;
        EXPECT_EQ(e.GetErrorPosition(), c.position) << c.text;
        EXPECT_EQ(e.GetErrorToken(), c.token) << c.text;
    }
}
} // namespace

TEST(FormulaEvaluator, DefaultFormulasAndCaseInsensitiveVariables) {
    CFormulaEvaluator e;
    ASSERT_TRUE(e.SetVariable("X", 10));
    ASSERT_TRUE(e.SetVariable("PA", 20));
    ASSERT_TRUE(e.SetVariable("PR", 10));
    EXPECT_DOUBLE_EQ(Eval(e, "(X/147.456)+10.555555").value, 10.0 / 147.456 + 10.555555);
    const Outcome o = Eval(e, "ln(PA/PR) * (-29.153) * 293");
    EXPECT_EQ(o.code, 0);
    EXPECT_NEAR(o.value, -5920.744, 0.001);
    EXPECT_EQ(Eval(e, "pa + Pa").value, 40.0);
}

// Well-formed text and its value. Only one statement per piece is read ("1 2" is 1, "1e3" is
// 1), "^" binds to the left, a missing ")" at the end is accepted and whatever follows the last
// argument closes the call, text ends at a zero byte, and domain errors are values.
TEST(FormulaEvaluator, ValuesOfWellFormedText) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    // clang-format off
    const std::pair<std::string, double> cases[] = {
        {"a=3; a+a", 6}, {"sin (0)", 0}, {"\t1 +\t2 ", 3}, {"1 2", 1}, {"2^3^2", 8}, {"1e3", 1},
        {"1.2.3", 1.2}, {".5", 0.5}, {".", 0}, {"5.", 5}, {"1+2*3", 7}, {"10-4-3", 3},
        {"2*3^2", 18}, {"-2^2", 4}, {"2^-2", 0.25}, {"2--3", 5}, {"+5", 5}, {"-5 % 3", -2},
        {"5.5 % 2", 1.5}, {"(a=2)+a", 4}, {"hypot( 3 , 4 )", 5}, {"m2ft(1)", 3.28084},
        {"ft2m(3.28084)", 1}, {"deg(rad(90))", 90}, {"log(1000)", 3},
        {"floor(-1.5)+ceil(1.2)+abs(-3)", 3}, {"sin(a=1)+a", std::sin(1.0) + 1.0}, {"sin(0", 0},
        {"sqrt(4 9)", 2}, {"0123456789012345678901234567890", 123456789012345678901234567890.0},
        {std::string("1+2\0+4;x", 8), 3}, {"sqrt(-1)", nan}, {"acos(2)", nan},
        {"exp(1000)-exp(1000)", nan}, {"ln(0)", -inf}, {"exp(1000)", inf}, {"10^400", inf}};
    // clang-format on
    for (const auto& [text, expected] : cases) {
        const double value = Value(text);
        if (std::isnan(expected))
            EXPECT_TRUE(std::isnan(value)) << text;
        else
            EXPECT_DOUBLE_EQ(value, expected) << text;
    }
    // a=b=3 assigns b's value to a and leaves "=3" unexamined.
    CFormulaEvaluator e;
    ASSERT_TRUE(e.SetVariable("b", 7));
    EXPECT_EQ(Eval(e, "a=b=3").value, 7.0);
    double a = 0;
    ASSERT_TRUE(e.LookupVariable("A", a));
    EXPECT_EQ(a, 7.0);
}
TEST(FormulaEvaluator, StatementsSplitAtSemicolons) {
    ExpectErrors({
        {"", 9, -1, ""},
        {"   ", 9, 2, ""},
        {"a=3;", 9, -1, ""},
        {"a=3;;a", 9, -1, ""},
        // Positions count within the failing piece.
        {"1;1+/2", 1, 2, "/"},
    });
    // "a=" unbinds a; the result stays what the previous piece left.
    CFormulaEvaluator e;
    EXPECT_EQ(Eval(e, "a=").value, 0.0);
    EXPECT_EQ(Eval(e, "a=5").value, 5.0);
    EXPECT_EQ(Eval(e, "4; a=").value, 4.0);
    double a = 0;
    EXPECT_FALSE(e.LookupVariable("a", a));
    EXPECT_EQ(Eval(e, "a").code, 4);
}

TEST(FormulaEvaluator, ErrorCodesPositionsAndTokens) {
    ExpectErrors({
        {"1+/2", 1, 2, "/"},
        {"(1+2", 2, 3, ""},
        {"abc+1", 4, 2, "abc"},
        {"foo(1)", 6, 2, "foo"},
        {"hypot(3)", 7, 7, "hypot"},
        {"sin()", 8, 4, "sin"},
        {"2 # 3", 1, 2, "#"},
        {"1 #", 1, 2, "#"},
        {"--5", 1, 1, "-"},
        {"1+", 1, 1, ""},
        {"()", 8, 1, ")"},
        {"(1 2)", 2, 3, "2"},
        {"LN(2)", 6, 1, "LN"},
        {"SIN (1)", 6, 3, "SIN"},
        {"sin(1,2)", 7, 7, "sin"},
        {"sin(,1)", 8, 4, "sin"},
        {"hypot(1,)", 8, 8, "hypot"},
        {"sin(", 1, 3, ""},
        {"10/0", 3, 3, ""},
        {"10%0+1", 3, 4, "+"},
        {"10/(1-1)", 3, 7, ""},
        {"1/sqrt(-1)", 3, 9, ""},
        {"a==3", 1, 2, "="},
        {"1\n", 1, 1, "\n"},
        // A stray character is a whole UTF-8 character, never its lead byte alone.
        {"2 \xC3\xA9 3", 1, 3, "\xC3\xA9"},
        {"1+\xE2\x82\xAC", 1, 4, "\xE2\x82\xAC"},
        {"1+\xC3", 1, 2, "\xC3"},
    });
    // Arguments beyond the expected count are refused before they are evaluated.
    CFormulaEvaluator e;
    EXPECT_EQ(Eval(e, "sin(1,2,3,b=4)").code, 7);
    EXPECT_EQ(e.GetErrorToken(), "sin");
    double b = 0;
    EXPECT_FALSE(e.LookupVariable("b", b));
}

TEST(FormulaEvaluator, VariableTable) {
    CFormulaEvaluator e;
    EXPECT_EQ(Eval(e, "a=1;a=2;a").value, 2.0);
    // a takes one slot: 49 more names fit, the 51st does not.
    std::string text;
    for (int i = 1; i < 50; ++i)
        text += "v" + std::to_string(i) + "=" + std::to_string(i) + ";";
    EXPECT_EQ(Eval(e, text + "v49").value, 49.0);
    EXPECT_EQ(Eval(e, "new=1").code, 5);
    EXPECT_EQ(e.FormatError(CFormulaEvaluator::kErrorMessageBase),
              "Maximum number of variables exceeded");
    EXPECT_FALSE(e.SetVariable("other", 1));
    EXPECT_EQ(Eval(e, "A=7").code, 0);
    EXPECT_TRUE(e.SetVariable("V1", 8));
    EXPECT_EQ(Eval(e, "v1+a").value, 15.0);
    // A freed slot is reused.
    EXPECT_TRUE(e.RemoveVariable("V2"));
    EXPECT_FALSE(e.RemoveVariable("v2"));
    EXPECT_EQ(Eval(e, "new=1;new").value, 1.0);
}

TEST(FormulaEvaluator, NamesAreSignificantToFifteenCharacters) {
    CFormulaEvaluator e;
    EXPECT_EQ(Eval(e, "abcdefghijklmnoXXXXX=5; abcdefghijklmnoYYYYY").value, 5.0);
    double v = 0;
    EXPECT_TRUE(e.LookupVariable("ABCDEFGHIJKLMNO", v));
    EXPECT_TRUE(e.SetVariable("abcdefghijklmnoZZZZ", 6));
    EXPECT_EQ(Eval(e, "abcdefghijklmno").value, 6.0);
    ExpectErrors({{"abcdefghijklmnopqrst+1", 4, 19, "abcdefghijklmno"}});
}

// Names end at a zero byte as C strings do, so a name with one cannot bind a second slot
// beside the name before it; prepared names see the same table.
TEST(FormulaEvaluator, NamesEndAtAZeroByte) {
    CFormulaEvaluator e;
    EXPECT_TRUE(e.SetVariable("a", 1));
    EXPECT_TRUE(e.SetVariable(std::string("A\0b", 3), 2));
    EXPECT_EQ(e.GetSlotName(0), "A");
    EXPECT_EQ(e.GetSlotName(1), "");
    const CFormulaEvaluator::VariableName prepared(std::string("a\0c", 3));
    double v = 0;
    ASSERT_TRUE(e.LookupVariable(prepared, v));
    EXPECT_EQ(v, 2.0);
    // Rebinding a prepared name moves it to a lower free slot, as removing and binding would.
    EXPECT_TRUE(e.SetVariable("b", 3));
    EXPECT_TRUE(e.RemoveVariable("a"));
    EXPECT_TRUE(e.SetVariable(CFormulaEvaluator::VariableName("B"), 4));
    EXPECT_EQ(e.GetSlotName(0), "B");
    EXPECT_EQ(e.GetSlotName(1), "");
    EXPECT_FALSE(e.LookupVariable(prepared, v));
    EXPECT_TRUE(e.RemoveVariable(std::string("b\0", 2)));
}

TEST(FormulaEvaluator, OverlongTokensAreSyntaxErrors) {
    const std::string name = "1+n" + std::string(31, 'x') + " + 1";
    const std::string digits(40, '1');
    ExpectErrors({{name.c_str(), 1, 33, name.substr(2, 31).c_str()},
                  {digits.c_str(), 1, 39, digits.substr(0, 31).c_str()}});
}

TEST(FormulaEvaluator, NestingIsBoundedWithASyntaxError) {
    const int limit = CFormulaEvaluator::kMaxNesting;
    EXPECT_EQ(Value(std::string(limit, '(') + "1" + std::string(limit, ')')), 1.0);
    std::string calls;
    for (int i = 0; i < limit; ++i)
        calls += "abs(";
    EXPECT_EQ(Value(calls + "-2"), 2.0);

    CFormulaEvaluator e;
    double value = 0;
    EXPECT_EQ(e.Evaluate(std::string(limit + 1, '(') + "1", value), 1);
    EXPECT_EQ(e.GetErrorPosition(), limit);
    EXPECT_EQ(e.GetErrorToken(), "(");
    EXPECT_EQ(e.Evaluate(calls + "sin(1", value), 1);
    EXPECT_EQ(e.GetErrorToken(), "sin");
}

// A 150 KB formula cost 25 s in a project's translation: texts over 4096 characters are
// refused before they are read, counted in characters, not bytes, up to a zero byte.
TEST(FormulaEvaluator, FormulasLongerThan4096CharactersAreRefused) {
    const std::string longest = std::string(4095, ' ') + "1";
    const std::string eAcute = "\xC3\xA9";
    CFormulaEvaluator e;
    double value = 0;
    EXPECT_EQ(e.Evaluate(longest, value), 0);
    std::string nonAscii = "1;x=";
    while (nonAscii.size() < 4096)
        nonAscii += eAcute;
    EXPECT_EQ(e.Evaluate(nonAscii, value), 1); // read (more bytes, fewer characters), refused
    for (const std::string& text :
         {longest + " ", std::string(1000000, '('), nonAscii + nonAscii}) {
        EXPECT_EQ(e.Evaluate(text, value), CFormulaEvaluator::kErrorTooLong);
        EXPECT_EQ(e.GetErrorPosition(), 4096);
        EXPECT_EQ(e.FormatError(CFormulaEvaluator::kErrorMessageBase),
                  "Formula longer than 4096 characters");
        EXPECT_TRUE(CFormulaEvaluator::IsTooLong(text));
    }
    EXPECT_FALSE(CFormulaEvaluator::IsTooLong(longest + std::string(1, '\0') + longest));
}

TEST(FormulaEvaluator, MessagesFillPositionAndToken) {
    CFormulaEvaluator e;
    double value = 0;
    ASSERT_EQ(e.Evaluate("hypot(3)", value), 7);
    EXPECT_EQ(e.FormatError(CFormulaEvaluator::kErrorMessageBase),
              "Wrong number of arguments to function 'hypot' at character 7");
    ASSERT_EQ(e.Evaluate("1;  ", value), 9);
    EXPECT_EQ(e.FormatError(CFormulaEvaluator::kErrorMessageBase), "Empty expression");
    ASSERT_EQ(e.Evaluate("(1", value), 2);
    EXPECT_EQ(e.FormatError(CFormulaEvaluator::kErrorMessageBase),
              "Unbalanced parenthesis at character 1");
    // A successful evaluation clears the recorded error.
    ASSERT_EQ(e.Evaluate("1", value), 0);
    EXPECT_EQ(e.GetErrorCode(), 0);
}
