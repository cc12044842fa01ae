// CCodePage: converts core text (UTF-8) to and from an 8-bit ANSI code page, as stored in files.
#pragma once

#include <memory>
#include <string>
#include <string_view>

// Not thread-safe: give each thread (each archive) its own converter.
class CCodePage {
public:
#ifdef _WIN32
    // The code page that files use by default: the system's ANSI code page.
    static constexpr std::string_view kDefault = "ANSI";
#else
    // The code page that files use by default: Windows-1252.
    static constexpr std::string_view kDefault = "WINDOWS-1252";
#endif

    // name: a code page name ("WINDOWS-1252", "CP1250", "ISO-8859-2", "UTF-8"...). An unknown
    // name falls back to the default.
    explicit CCodePage(std::string_view name = kDefault);
    // A Windows code page by number (1250, 1252, 932...); an unknown one falls back to the
    // default. This is the platform seam: on Windows the number goes to MultiByteToWideChar /
    // WideCharToMultiByte, elsewhere it names an iconv converter.
    explicit CCodePage(unsigned windowsCodePage);
    ~CCodePage();
    CCodePage(const CCodePage&) = delete;
    CCodePage& operator=(const CCodePage&) = delete;

    // The code page in use: the name given, or on Windows NameOf its number.
    [[nodiscard]] const std::string& GetName() const {
        return m_name;
    }

    // UTF-8 → code page. A character the code page cannot hold, and an invalid UTF-8 byte,
    // become '?'.
    [[nodiscard]] std::string FromUtf8(std::string_view utf8);
    // Code page → UTF-8. A byte the code page leaves undefined becomes '?'.
    [[nodiscard]] std::string ToUtf8(std::string_view ansi);
    // The characters of utf8 that do not come back from FromUtf8 and ToUtf8 as they were (those
    // the code page cannot hold, an invalid UTF-8 byte counting as one), each once in order of
    // first appearance; empty when the text survives the round trip.
    [[nodiscard]] std::string Unrepresentable(std::string_view utf8);

    // The name of a Windows code page number ("CP1250"; "MACINTOSH" for 10000).
    [[nodiscard]] static std::string NameOf(unsigned windowsCodePage);

private:
    struct Converters;
    std::string m_name;
    std::unique_ptr<Converters> m_conv;
};
