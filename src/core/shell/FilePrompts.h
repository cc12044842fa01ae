// The file prompts of the project: project files and text files, built in this one place.
#pragma once

#include "framework/UiServices.h"

// Project files (".qlg", from the document template's filter name and extension) or any file;
// the file must exist when opened.
[[nodiscard]] FilePrompt ProjectFilePrompt();
// Text files (".txt") or any file, for exports and raw text imports. A name that does not
// exist is not refused by the prompt: the import reports it itself.
[[nodiscard]] FilePrompt TextFilePrompt();
// The document template's field (0 title, 2 new-document name, 3 filter name, 4 extension).
[[nodiscard]] std::string DocTemplateField(std::size_t index);
