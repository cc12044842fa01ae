// The command line as UTF-8, the text of the core, on every platform.
#pragma once

#include <string>
#include <vector>

// argv as it stands elsewhere; on Windows the wide command line converted, since main's own
// arguments are in the ANSI code page and lose every character of a file name it lacks. On
// Windows, output to a console is switched to UTF-8 as well.
[[nodiscard]] std::vector<std::string> CliUtf8Arguments(int argc, char* argv[]);
