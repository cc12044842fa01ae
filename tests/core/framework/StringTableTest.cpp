#include "framework/StringTable.h"

#include "framework/StringTableData.h"

#include <gtest/gtest.h>

TEST(StringTable, LoadsBuiltInTextsAndAcceptsATranslationSource) {
    EXPECT_EQ(LoadString(57344), "Kubo");
    EXPECT_EQ(LoadString(5121), "Annotation Text");
    EXPECT_TRUE(LoadString(4).empty());
    EXPECT_FALSE(HasString(4));

    SetStringSource([](unsigned id) -> std::optional<std::string> {
        if (id == 5121)
            return std::string("Text der Anmerkung");
        return std::nullopt;
    });
    EXPECT_EQ(LoadString(5121), "Text der Anmerkung");
    EXPECT_EQ(LoadString(57344), "Kubo");
    SetStringSource({});
    EXPECT_EQ(LoadString(5121), "Annotation Text");
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
