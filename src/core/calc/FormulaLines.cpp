#include "calc/FormulaLines.h"

namespace {
// Replaces every non-overlapping occurrence of from, scanning left to right once.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t hit = text.find(from, pos);
        if (hit == std::string_view::npos)
            break;
        out.append(text.substr(pos, hit - pos));
        out.append(to);
        pos = hit + from.size();
    }
    if (pos < text.size())
        out.append(text.substr(pos));
    return out;
}
} // namespace

std::string FormulaToLines(std::string_view formula, std::string_view lineBreak) {
    if (lineBreak.empty())
        return std::string(formula);
    const std::string broken = ReplaceAll(formula, ";", std::string(";") + std::string(lineBreak));
    return ReplaceAll(broken, std::string(lineBreak) + " ", lineBreak);
}

std::string LinesToFormula(std::string_view text) {
    std::string out = ReplaceAll(text, "\r\n", " ");
    for (char& c : out)
        if (c == '\r' || c == '\n')
            c = ' ';
    return out;
}
