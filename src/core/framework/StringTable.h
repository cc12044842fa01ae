// The numbered string table (messages, prompts, captions) and its message formatting.
#pragma once

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

// Mark texts for Qt's lupdate (scripts/extract-texts tells it these names): each gives back its
// text (and disambiguating comment), so the core stays free of Qt. The context names where the
// user interface looks the text up; the string table's is "StringTable".
#define KUBO_TRANSLATE_NOOP(context, text) text
#define KUBO_TRANSLATE_NOOP3(context, text, comment) text, comment

// The text of string id, or empty when the table has no such entry. A translation source set
// with SetStringSource is asked first; the built-in English table answers otherwise.
[[nodiscard]] std::string LoadString(unsigned id);
[[nodiscard]] bool HasString(unsigned id);

// A translation catalogue: the translation of a built-in entry, or nullopt to keep its English
// text. Pass an empty function to go back to the built-in table alone.
struct StringTableEntry;
using StringSource = std::function<std::optional<std::string>(const StringTableEntry& entry)>;
void SetStringSource(StringSource source);

// The message formatting of the table's "%1" ... "%9" placeholders: each is replaced by the
// argument of that number (missing arguments by nothing); "%%" stays as it is; any other
// character after '%' is kept.
[[nodiscard]] std::string FormatMessageText(std::string_view format,
                                            std::initializer_list<std::string_view> args);
[[nodiscard]] std::string FormatString1(unsigned id, std::string_view arg1);
[[nodiscard]] std::string FormatString2(unsigned id, std::string_view arg1, std::string_view arg2);

// Fills the printf-style directives of a table string ("Session%d", "Flight Annotations (%s)")
// with already formatted arguments, in order. Only %s, %d, %i and %u consume an argument and
// "%%" gives '%'; anything else is copied unchanged. Unlike printf it is safe on any text,
// including a translated one.
[[nodiscard]] std::string FormatDirectives(std::string_view format,
                                           std::initializer_list<std::string_view> args);

// The line with index `index` of a text whose entries are separated by line feeds, or nullopt.
[[nodiscard]] std::optional<std::string> GetListEntry(std::string_view list, std::size_t index);
