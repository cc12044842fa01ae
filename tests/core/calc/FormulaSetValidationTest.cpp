#include "calc/FormulaSetValidation.h"

#include "framework/StringIds.h"
#include "framework/StringTable.h"

#include <gtest/gtest.h>

TEST(FormulaSetValidation, SoundSetsPass) {
    for (const auto& [pressure, altitude] :
         {std::pair{"(X/147.456)+10.555555", "ln(PA/PR) * (-29.153) * 293"},
          std::pair{"X", "PA-PR"}, std::pair{"x*2; y = 3", "pa+pr"}}) {
        const FormulaSetCheck check = ValidateFormulaSet(pressure, altitude);
        EXPECT_TRUE(check.IsValid()) << pressure << " / " << altitude;
        EXPECT_EQ(check.message, "");
    }
}

TEST(FormulaSetValidation, TheFirstFaultyFormulaIsNamedWithTheEvaluatorsMessage) {
    FormulaSetCheck check = ValidateFormulaSet("X/0", "ln(PA/PX)");
    EXPECT_EQ(check.invalid, FormulaField::kPressure);
    EXPECT_EQ(check.message,
              "Invalid pressure formula:\n" + LoadString(str::FormulaDivisionByZero));

    check = ValidateFormulaSet("X", "ln(PA/PX)");
    EXPECT_EQ(check.invalid, FormulaField::kAltitude);
    EXPECT_EQ(check.message, "Invalid altitude formula:\nUnknown variable 'PX' at character 7");

    // The test values are fixed: failing only at X = 10 is failing.
    EXPECT_EQ(ValidateFormulaSet("1/(X-10)", "PA").invalid, FormulaField::kPressure);
    // The altitude formula does not see the pressure formula's variables.
    EXPECT_EQ(ValidateFormulaSet("X", "X").invalid, FormulaField::kAltitude);
    EXPECT_EQ(ValidateFormulaSet("", "PA").invalid, FormulaField::kPressure);
}
