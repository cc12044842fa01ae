// The numbered string table (messages, prompts, captions) and its message formatting.
#pragma once

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

// The text of string id, or empty when the table has no such entry. A translation source set
// with SetStringSource is asked first; the built-in English table answers otherwise.
[[nodiscard]] std::string LoadString(unsigned id);
[[nodiscard]] bool HasString(unsigned id);

// A translation catalogue that may answer for any id (nullopt: not translated). Pass an empty
// function to go back to the built-in table alone.
using StringSource = std::function<std::optional<std::string>(unsigned id)>;
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
