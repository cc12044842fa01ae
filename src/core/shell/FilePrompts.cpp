#include "shell/FilePrompts.h"

#include "framework/StringIds.h"
#include "framework/StringTable.h"

namespace {
// The fallbacks of a table entry without the field (a translation that dropped a line).
constexpr const char* kTemplateFallbacks[] = {"Kubo", "", "Untitled", "Kubo Data Files", ".qlg"};

FileFilter AllFiles() {
    return {KUBO_TRANSLATE_NOOP("FilePrompt", "All Files"), "*"};
}
} // namespace

std::string DocTemplateField(std::size_t index) {
    const char* fallback = index < std::size(kTemplateFallbacks) ? kTemplateFallbacks[index] : "";
    return GetListEntry(LoadString(str::DocTemplate), index).value_or(fallback);
}

FilePrompt ProjectFilePrompt() {
    const std::string extension = DocTemplateField(4);
    FilePrompt prompt;
    prompt.defaultExtension = extension;
    prompt.filters = {{DocTemplateField(3), "*" + extension}, AllFiles()};
    prompt.mustExist = true;
    return prompt;
}

FilePrompt TextFilePrompt() {
    FilePrompt prompt;
    prompt.defaultExtension = ".txt";
    prompt.filters = {{KUBO_TRANSLATE_NOOP("FilePrompt", "Text Files"), "*.txt"}, AllFiles()};
    prompt.mustExist = false;
    return prompt;
}
