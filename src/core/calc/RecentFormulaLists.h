// The recently used formula lists kept in the registry, and their machine-wide defaults.
#pragma once

#include "framework/RegistryStore.h"
#include "framework/StringArrayEx.h"

#include <string>
#include <string_view>

inline constexpr std::string_view kRecentPressureFormulas = "MRU_Formulas_Pressure";
inline constexpr std::string_view kRecentAltitudeFormulas = "MRU_Formulas_Altitude";
inline constexpr std::string_view kRecentUserFormulas = "MRU_Formulas_User";

// The machine hive's initial pressure and altitude lists (line-feed-separated texts). They are
// read once, the first time they are needed while both are empty, and never written back.
struct RecentListDefaults {
    std::string pressure;
    std::string altitude;
};
// The process-wide instance the dialogs use.
[[nodiscard]] RecentListDefaults& ProcessRecentListDefaults();

// Reads the machine defaults into defaults when both are still empty (a hive that cannot be
// opened leaves them empty).
void EnsureRecentListDefaults(RegistryStore& store, RecentListDefaults& defaults);

// The user's list valueName (one of the three above), the machine default standing in for a
// missing pressure or altitude list. The user list has no machine default. A key that cannot
// be opened gives an empty list.
[[nodiscard]] CStringArrayEx ReadRecentList(RegistryStore& store, std::string_view valueName,
                                            const RecentListDefaults& defaults);
// Writes the user's list; false when the key cannot be opened or written.
bool WriteRecentList(RegistryStore& store, std::string_view valueName, const CStringArrayEx& list);

// Appends each formula to its list unless an item already equals it exactly (altitude list
// first, then pressure); a list is written only when it changed. Items never move, so a list
// keeps the order in which formulas were first added.
void AppendFormulasToRecentLists(RegistryStore& store, std::string_view pressureFormula,
                                 std::string_view altitudeFormula,
                                 const RecentListDefaults& defaults);
