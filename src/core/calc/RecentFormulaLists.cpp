#include "calc/RecentFormulaLists.h"

#include "framework/Registry.h"

namespace {
std::string_view DefaultFor(std::string_view valueName, const RecentListDefaults& defaults) {
    if (valueName == kRecentPressureFormulas)
        return defaults.pressure;
    if (valueName == kRecentAltitudeFormulas)
        return defaults.altitude;
    return {};
}

void AppendIfMissing(RegistryKey* key, std::string_view valueName, std::string_view formula,
                     const RecentListDefaults& defaults) {
    CStringArrayEx list;
    ReadRegStringList(list, key, valueName, DefaultFor(valueName, defaults));
    if (list.Find(formula) >= 0)
        return;
    list.Add(std::string(formula));
    (void)WriteRegStringList(key, valueName, list);
}
} // namespace

RecentListDefaults& ProcessRecentListDefaults() {
    static RecentListDefaults defaults;
    return defaults;
}

void EnsureRecentListDefaults(RegistryStore& store, RecentListDefaults& defaults) {
    if (!defaults.pressure.empty() || !defaults.altitude.empty())
        return;
    auto machine = OpenRegKeyPath(kOptionsKeyPath, store, RegRoot::LocalMachine);
    defaults.altitude = ReadRegString(machine.get(), kRecentAltitudeFormulas, "");
    defaults.pressure = ReadRegString(machine.get(), kRecentPressureFormulas, "");
}

CStringArrayEx ReadRecentList(RegistryStore& store, std::string_view valueName,
                              const RecentListDefaults& defaults) {
    CStringArrayEx list;
    if (auto user = OpenRegKeyPath(kOptionsKeyPath, store, RegRoot::CurrentUser))
        ReadRegStringList(list, user.get(), valueName, DefaultFor(valueName, defaults));
    return list;
}

bool WriteRecentList(RegistryStore& store, std::string_view valueName, const CStringArrayEx& list) {
    auto user = OpenRegKeyPath(kOptionsKeyPath, store, RegRoot::CurrentUser);
    return WriteRegStringList(user.get(), valueName, list);
}

void AppendFormulasToRecentLists(RegistryStore& store, std::string_view pressureFormula,
                                 std::string_view altitudeFormula,
                                 const RecentListDefaults& defaults) {
    auto user = OpenRegKeyPath(kOptionsKeyPath, store, RegRoot::CurrentUser);
    if (!user)
        return;
    AppendIfMissing(user.get(), kRecentAltitudeFormulas, altitudeFormula, defaults);
    AppendIfMissing(user.get(), kRecentPressureFormulas, pressureFormula, defaults);
}
