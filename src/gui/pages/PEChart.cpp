#include "pages/PEChart.h"

bool CPEChart::ExportState(std::vector<std::uint8_t>& state) const {
    state = ExportSettings();
    return !state.empty();
}

int CPEChart::ImportState(const std::vector<std::uint8_t>& state) {
    if (state.empty())
        return 0;
    return ImportSettings(state) == SettingsImport::Imported ? 1 : 0;
}
