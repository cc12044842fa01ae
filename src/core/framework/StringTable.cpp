#include "framework/StringTable.h"

#include "framework/StringTableData.h"

#include <algorithm>
#include <vector>

namespace {
StringSource& Source() {
    static StringSource source;
    return source;
}

const StringTableEntry* FindBuiltIn(unsigned id) {
    const auto table = BuiltInStrings();
    auto it = std::lower_bound(table.begin(), table.end(), id,
                               [](const StringTableEntry& e, unsigned key) { return e.id < key; });
    return it != table.end() && it->id == id ? &*it : nullptr;
}
} // namespace

std::string LoadString(unsigned id) {
    const StringTableEntry* entry = FindBuiltIn(id);
    if (!entry)
        return std::string();
    if (const StringSource& source = Source()) {
        if (std::optional<std::string> text = source(*entry))
            return *text;
    }
    return entry->text;
}

bool HasString(unsigned id) {
    return FindBuiltIn(id) != nullptr;
}

void SetStringSource(StringSource source) {
    Source() = std::move(source);
}

std::string FormatMessageText(std::string_view format,
                              std::initializer_list<std::string_view> args) {
    const std::vector<std::string_view> values(args);
    std::string out;
    out.reserve(format.size());
    for (std::size_t i = 0; i < format.size(); ++i) {
        char c = format[i];
        if (c == '%' && i + 1 < format.size() && format[i + 1] >= '1' && format[i + 1] <= '9') {
            std::size_t n = static_cast<std::size_t>(format[i + 1] - '1');
            if (n < values.size())
                out += values[n];
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

std::string FormatString1(unsigned id, std::string_view arg1) {
    return FormatMessageText(LoadString(id), {arg1});
}

std::string FormatString2(unsigned id, std::string_view arg1, std::string_view arg2) {
    return FormatMessageText(LoadString(id), {arg1, arg2});
}

std::string FormatDirectives(std::string_view format,
                             std::initializer_list<std::string_view> args) {
    auto next = args.begin();
    std::string out;
    out.reserve(format.size());
    for (std::size_t i = 0; i < format.size(); ++i) {
        char c = format[i];
        if (c != '%' || i + 1 >= format.size()) {
            out += c;
            continue;
        }
        char d = format[i + 1];
        if (d == '%') {
            out += '%';
            ++i;
        } else if (d == 's' || d == 'd' || d == 'i' || d == 'u') {
            if (next != args.end())
                out += *next++;
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

std::optional<std::string> GetListEntry(std::string_view list, std::size_t index) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < index; ++i) {
        std::size_t lf = list.find('\n', start);
        if (lf == std::string_view::npos)
            return std::nullopt;
        start = lf + 1;
    }
    std::size_t end = list.find('\n', start);
    return std::string(list.substr(start, end == std::string_view::npos ? end : end - start));
}
