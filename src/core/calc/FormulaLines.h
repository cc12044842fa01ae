// The conversion between a one-line formula and its multi-line form in the formula editors.
#pragma once

#include <string>
#include <string_view>

// One statement per line: every ';' is followed by lineBreak, and one blank directly after a
// line break is dropped (so "a=1; b" shows "b" at the start of its line).
[[nodiscard]] std::string FormulaToLines(std::string_view formula, std::string_view lineBreak);

// Back to one line: every CR LF pair becomes one blank, then every remaining CR and LF does.
// The result holds no line breaks, whatever the text held.
[[nodiscard]] std::string LinesToFormula(std::string_view text);
