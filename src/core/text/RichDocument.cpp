#include "text/RichDocument.h"

std::string CRichDocument::PlainText() const {
    std::string text;
    for (const CRichParagraph& paragraph : paragraphs) {
        for (const CRichRun& run : paragraph.runs)
            text += run.text;
        text += '\n';
    }
    return text;
}

CRichDocument CRichDocument::FromPlainText(std::string_view text, const CRichCharFormat& format) {
    CRichDocument doc;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        CRichParagraph& paragraph = doc.paragraphs.emplace_back();
        std::string clean;
        clean.reserve(line.size());
        for (char c : line)
            if (c != '\0')
                clean += c;
        if (!clean.empty())
            paragraph.runs.push_back({format, std::move(clean), std::nullopt});
    }
    return doc;
}
