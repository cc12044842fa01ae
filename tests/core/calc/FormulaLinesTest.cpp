#include "calc/FormulaLines.h"

#include <gtest/gtest.h>

TEST(FormulaLinesTest, EachStatementStartsItsOwnLine) {
    EXPECT_EQ(FormulaToLines("a=1;b=2;a+b", "\r\n"), "a=1;\r\nb=2;\r\na+b");
    // One blank after ';' is dropped, a second one stays.
    EXPECT_EQ(FormulaToLines("a=1; b=2;  a+b", "\r\n"), "a=1;\r\nb=2;\r\n a+b");
    EXPECT_EQ(FormulaToLines("a=1; b", "\n"), "a=1;\nb");
    EXPECT_EQ(FormulaToLines("ln(PA/PR) * (-29.153) * 293", "\n"), "ln(PA/PR) * (-29.153) * 293");
    EXPECT_EQ(FormulaToLines("x;", "\n"), "x;\n");
}

TEST(FormulaLinesTest, LinesComeBackAsOneLine) {
    EXPECT_EQ(LinesToFormula("a=1;\r\nb=2;\r\na+b"), "a=1; b=2; a+b");
    EXPECT_EQ(LinesToFormula("a=1;\nb"), "a=1; b");
    // Lone CR and LF each become one blank; a CR LF pair becomes one.
    EXPECT_EQ(LinesToFormula("a\rb\nc\r\nd\n\re"), "a b c d  e");
    EXPECT_EQ(LinesToFormula(""), "");
}
