#include "framework/Registry.h"
#include "shell/MainDoc.h"

namespace {
constexpr const char* kFormulaAltitude = "Formula_Altitude";
constexpr const char* kFormulaPressure = "Formula_Pressure";
constexpr const char* kShowFeet = "Show_Feet";
constexpr const char* kCommPortIndex = "CommPortIndex";
constexpr const char* kCommPortSetup = "CommPortSetup";
constexpr const char* kCommPortName = "CommPortName";
constexpr const char* kAnsiCodePage = "AnsiCodePage";
constexpr const char* kUser1 = "Formula_User1";
constexpr const char* kUser1Title = "Formula_User1t";
constexpr const char* kUser2 = "Formula_User2";
constexpr const char* kUser2Title = "Formula_User2t";
} // namespace

void CMainDoc::LoadSettings(RegistryStore& store) {
    if (auto machine = OpenRegKeyPath(kOptionsKeyPath, store, RegRoot::LocalMachine)) {
        m_strDefaultAltitudeFormula =
            ReadRegString(machine.get(), kFormulaAltitude, m_strDefaultAltitudeFormula);
        m_strDefaultPressureFormula =
            ReadRegString(machine.get(), kFormulaPressure, m_strDefaultPressureFormula);
    }
    auto user = OpenRegKeyPath(kOptionsKeyPath, store, RegRoot::CurrentUser);
    if (!user)
        return;
    const RegistryKey* key = user.get();
    m_strDefaultAltitudeFormula = ReadRegString(key, kFormulaAltitude, m_strDefaultAltitudeFormula);
    m_strDefaultPressureFormula = ReadRegString(key, kFormulaPressure, m_strDefaultPressureFormula);
    m_nShowFeet = ReadRegDword(key, kShowFeet, m_nShowFeet);
    m_nPortIndex = ReadRegDword(key, kCommPortIndex, m_nPortIndex);
    // Only a complete block replaces the set-up: a shorter one would mix stored bytes with the
    // defaults' and a longer one is not a block of this layout.
    CPortSetupBlock setup;
    std::size_t size = 0;
    if (ReadRegBinary(key, kCommPortSetup, setup.Bytes().data(), setup.Bytes().size(), &size) &&
        size == CPortSetupBlock::kSize)
        m_portSetup = setup;
    m_strPortName = ReadRegString(key, kCommPortName, m_strPortName);
    m_strAnsiCodePage = ReadRegString(key, kAnsiCodePage, m_strAnsiCodePage);
    m_strUserFormula1 = ReadRegString(key, kUser1, m_strUserFormula1);
    m_strUserTitle1 = ReadRegString(key, kUser1Title, m_strUserTitle1);
    m_strUserFormula2 = ReadRegString(key, kUser2, m_strUserFormula2);
    m_strUserTitle2 = ReadRegString(key, kUser2Title, m_strUserTitle2);
}

bool CMainDoc::SaveSettings(RegistryStore& store) const {
    auto user = OpenRegKeyPath(kOptionsKeyPath, store, RegRoot::CurrentUser);
    if (!user)
        return false;
    RegistryKey* key = user.get();
    bool ok = WriteRegString(key, kFormulaAltitude, m_strDefaultAltitudeFormula);
    ok = WriteRegString(key, kFormulaPressure, m_strDefaultPressureFormula) && ok;
    ok = WriteRegDword(key, kShowFeet, m_nShowFeet) && ok;
    ok = WriteRegDword(key, kCommPortIndex, m_nPortIndex) && ok;
    ok = WriteRegBinary(key, kCommPortSetup, m_portSetup.Bytes().data(), CPortSetupBlock::kSize) &&
         ok;
    // Written even when empty: a device the user cleared must not come back at the next start.
    ok = WriteRegString(key, kCommPortName, m_strPortName) && ok;
    return ok;
}

bool CMainDoc::SaveUserCalculation(RegistryStore& store, int index) const {
    if (index != 1 && index != 2)
        return false;
    auto user = OpenRegKeyPath(kOptionsKeyPath, store, RegRoot::CurrentUser);
    if (!user)
        return false;
    const bool ok = WriteRegString(user.get(), index == 1 ? kUser1 : kUser2, GetUserFormula(index));
    return WriteRegString(user.get(), index == 1 ? kUser1Title : kUser2Title,
                          GetUserTitle(index)) &&
           ok;
}
