#include "framework/StringTable.h"

#include "framework/CommandIds.h"
#include "framework/StringIds.h"
#include "framework/StringTableData.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(StringTable, LoadsBuiltInTextsAndAcceptsATranslationSource) {
    EXPECT_EQ(LoadString(str::AnnotationText), "Annotation Text");
    constexpr unsigned kNoSuchId = 4;
    EXPECT_TRUE(LoadString(kNoSuchId).empty());
    EXPECT_FALSE(HasString(kNoSuchId));

    // The source is asked with the entry's English text and comment; it may decline.
    std::vector<std::string> asked;
    SetStringSource([&](const StringTableEntry& entry) -> std::optional<std::string> {
        asked.push_back(std::string(entry.text) + "|" + (entry.comment ? entry.comment : ""));
        if (entry.id == str::AnnotationText)
            return std::string("Text der Anmerkung");
        return std::nullopt;
    });
    EXPECT_EQ(LoadString(str::AnnotationText), "Text der Anmerkung");
    EXPECT_EQ(LoadString(str::MetresLong), "m");
    EXPECT_TRUE(LoadString(kNoSuchId).empty());
    SetStringSource({});
    EXPECT_EQ(LoadString(str::AnnotationText), "Annotation Text");
    EXPECT_EQ(asked, (std::vector<std::string>{"Annotation Text|", "m|metres, long form"}));
}

TEST(StringTable, EveryBuiltInEntryIsFoundById) {
    // LoadString's binary search needs the table sorted by unique id.
    const auto table = BuiltInStrings();
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (i > 0) {
            EXPECT_LT(table[i - 1].id, table[i].id) << "at " << table[i].id;
        }
        EXPECT_EQ(LoadString(table[i].id), table[i].text);
    }
}

TEST(StringTable, NoBuiltInTextHasAMisspellingOrASpaceBeforeItsQuestionMark) {
    for (const StringTableEntry& entry : BuiltInStrings()) {
        const std::string_view text = entry.text;
        SCOPED_TRACE(entry.id);
        EXPECT_EQ(text.find(" ?"), std::string_view::npos);
        EXPECT_EQ(text.find("abnormaly"), std::string_view::npos);
    }
}

TEST(StringTable, BuiltInTextsSitAtTheirIds) {
    // Messages and formula errors: a shifted id would show the neighbouring text.
    EXPECT_EQ(LoadString(str::KeepIncompleteData),
              "The received process was terminated abnormally. Do you want to keep received data?");
    EXPECT_EQ(LoadString(str::FormulaErrorFirst), "Syntax error at character %1");
    EXPECT_EQ(LoadString(str::FormulaUnknownVariable), "Unknown variable '%2' at character %1");
    EXPECT_EQ(LoadString(str::FormulaEmpty), "Empty expression");
    EXPECT_EQ(LoadString(str::ReadingStatus), "Reading... (flight count: %d)");
    EXPECT_FALSE(HasString(str::Data + 1));
    EXPECT_FALSE(HasString(str::ReadingStatus + 1));

    // Prompts keep the line feed before their tool tip.
    EXPECT_EQ(LoadString(cmd::DataReadData), "Read data from altimeter hardware\nRead Data");
    EXPECT_EQ(GetListEntry(LoadString(str::DocTemplate), 3), "Kubo Data Files");
}

TEST(MessageFormatting, NumberedPlaceholders) {
    EXPECT_EQ(FormatMessageText("Altitude [%1]", {"ft"}), "Altitude [ft]");
    EXPECT_EQ(FormatMessageText("%2 then %1, %1", {"a", "b"}), "b then a, a");
    EXPECT_EQ(FormatMessageText("100%% and %3 and %", {"a"}), "100%% and  and %");
}

TEST(MessageFormatting, DirectivesAreFilledInOrderAndNeverInterpreted) {
    EXPECT_EQ(FormatDirectives("Flight Annotations (%s)", {"Flight 1"}),
              "Flight Annotations (Flight 1)");
    EXPECT_EQ(FormatDirectives("Session%d", {"12"}), "Session12");
    EXPECT_EQ(FormatDirectives("%n%x%s %d%%", {"a"}), "%n%xa %");
    EXPECT_EQ(FormatDirectives("%s", {}), "");
}

TEST(StringLists, EntriesByIndex) {
    EXPECT_EQ(GetListEntry("|c\n|l\n|r", 2), "|r");
    EXPECT_EQ(GetListEntry("|c\n|l\n|r", 3), std::nullopt);
    EXPECT_EQ(GetListEntry("", 0), "");
    EXPECT_EQ(GetListEntry("a\n", 1), "");
}
