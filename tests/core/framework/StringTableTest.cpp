#include "framework/StringTable.h"

#include "framework/StringTableData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

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

TEST(StringTable, BuiltInTextsSitAtTheirIds) {
    // Messages and formula errors: a shifted id would show the neighbouring text.
    EXPECT_EQ(LoadString(5005), "The received process was terminated abnormaly. Do you want to "
                                "keep received data ?");
    EXPECT_EQ(LoadString(5015), "m");
    EXPECT_EQ(LoadString(5101), "Syntax error at character %1");
    EXPECT_EQ(LoadString(5101 + 4 - 1), "Unknown variable '%2' at character %1");
    EXPECT_EQ(LoadString(5109), "Empty expression");
    EXPECT_EQ(LoadString(5126), "Reading... (flight count: %d)");
    EXPECT_FALSE(HasString(5022));
    EXPECT_FALSE(HasString(5127));

    // Prompts keep the line feed before their tool tip.
    EXPECT_EQ(LoadString(30051), "Read data from altimeter hardware\nRead Data");
    EXPECT_EQ(LoadString(57609), "Display full pages\nPrint Preview");
    EXPECT_EQ(GetListEntry(LoadString(128), 3), "Kubo Data Files");
    EXPECT_EQ(LoadString(169), "\"");

    // Lists are indexed by stored values, so their lengths and ends matter.
    const auto count = [](const std::string& list) {
        return static_cast<std::size_t>(std::count(list.begin(), list.end(), '\n')) + 1;
    };
    EXPECT_EQ(count(LoadString(5110)), 9U);
    EXPECT_EQ(count(LoadString(5111)), 37U);
    EXPECT_EQ(GetListEntry(LoadString(5111), 15), "Small Circle");
    EXPECT_EQ(GetListEntry(LoadString(5111), 36), "Large Solid Downward Triangle");
    EXPECT_EQ(count(LoadString(5112)), count(LoadString(5115)));
    EXPECT_EQ(count(LoadString(5113)), count(LoadString(5116)));
    EXPECT_EQ(count(LoadString(5114)), count(LoadString(5117)));
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
