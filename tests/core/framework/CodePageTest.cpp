// Conversion between core text (UTF-8) and the 8-bit code pages of files, identical on every
// platform: iconv elsewhere, MultiByteToWideChar / WideCharToMultiByte on Windows.
#include "framework/CodePage.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

TEST(CodePage, ConvertsBothWaysAndMarksWhatTheCodePageLacks) {
    struct Case {
        const char* codePage;
        std::string utf8;
        std::string ansi;
        std::string backToUtf8; // what ansi reads as
    };
    const Case cases[] = {
        {"WINDOWS-1252", "caf\xC3\xA9 \xE2\x82\xAC", "caf\xE9 \x80", "caf\xC3\xA9 \xE2\x82\xAC"},
        // No best fit: 'ā' does not become 'a'; broken UTF-8 costs one '?' a byte.
        {"WINDOWS-1252", "\xC4\x81\xE6\xBC\xA2", "??", "??"},
        {"WINDOWS-1252", "a\xC3(b\xFF", "a?(b?", "a?(b?"},
        {"CP1250", "\xC5\xA1\xC4\x8D", "\x9A\xE8", "\xC5\xA1\xC4\x8D"}, // šč
        {"cp1250", "\xC3\xA6", "?", "?"},                               // æ is not in 1250
        {"ISO-8859-2", "\xC5\xA1", "\xB9", "\xC5\xA1"},
        {"UTF-8", "\xE2\x98\x81", "\xE2\x98\x81", "\xE2\x98\x81"},
        {"NO-SUCH-PAGE", "caf\xC3\xA9", "caf\xE9", "caf\xC3\xA9"}, // the default, 1252 here
    };
    for (const Case& c : cases) {
        CCodePage codePage{std::string_view(c.codePage)};
        EXPECT_EQ(codePage.FromUtf8(c.utf8), c.ansi) << c.codePage << " " << c.utf8;
        EXPECT_EQ(codePage.ToUtf8(c.ansi), c.backToUtf8) << c.codePage << " " << c.utf8;
    }
    // Bytes Windows-1252 leaves undefined read as '?', as do C1 characters written to it.
    CCodePage western;
    EXPECT_EQ(western.ToUtf8("\x81\x8D\x8F\x90\x9Dz"), "?????z");
    EXPECT_EQ(western.FromUtf8("\xC2\x81z"), "?z");
    EXPECT_EQ(western.Unrepresentable("a\xC4\x81\xC3\xA9\xC4\x81\xE2\x98\x81"),
              "\xC4\x81\xE2\x98\x81");
    EXPECT_EQ(CCodePage(932u).ToUtf8("\x93\xFA\x96\x7B"), "\xE6\x97\xA5\xE6\x9C\xAC"); // 日本
}

#ifdef _WIN32
// Files use the system's ANSI code page on Windows.
TEST(CodePage, TheDefaultIsTheSystemAnsiCodePage) {
    EXPECT_EQ(CCodePage().GetName(), CCodePage::NameOf(GetACP()));
}
#endif
