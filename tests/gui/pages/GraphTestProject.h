// A project for the Graph page tests: flights whose altitude in metres is the raw value / 100.
#pragma once

#include "data/Annotation.h"
#include "data/DataBlock.h"
#include "data/DataModule.h"
#include "shell/MainDoc.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace graphtest {
// Raw values start, start + step, ... (n of them).
inline std::vector<std::uint16_t> Ramp(std::size_t n, int start = 1000, int step = 100) {
    std::vector<std::uint16_t> raw(n);
    for (std::size_t i = 0; i < n; ++i)
        raw[i] = static_cast<std::uint16_t>(start + step * static_cast<int>(i));
    return raw;
}

struct Project {
    explicit Project(CUiServices* ui = nullptr) : doc(ui) {}

    CDataModule& AddSession() {
        auto owned = std::make_unique<CDataModule>(&doc);
        CDataModule& session = *owned;
        doc.GetSessions().AddTail(std::move(owned));
        return session;
    }
    // A flight with pressure X and altitude PA/100 (so 12344 reads 123.44 m).
    CDataBlock& AddFlight(CDataModule& session, const std::string& name,
                          std::vector<std::uint16_t> raw, std::int32_t rateMs = 1000,
                          bool shown = true) {
        auto owned = std::make_unique<CDataBlock>();
        CDataBlock& flight = *owned;
        flight.SetName(name, false, nullptr);
        flight.SetPressureFormula("X");
        flight.SetAltitudeFormula("PA/100+0*PR");
        flight.SetSampleRate(rateMs);
        flight.GetRawSamples() = std::move(raw);
        flight.SetShown(shown, false, nullptr);
        session.AppendFlight(std::move(owned));
        return flight;
    }
    static void Annotate(CDataBlock& flight, int kind, double seconds, double metres,
                         const std::string& text) {
        auto note = std::make_unique<CAnnotation>();
        note->m_nKind = kind;
        note->m_dTime = seconds;
        note->m_dAltitude = metres;
        note->m_strText = text;
        flight.AppendAnnotation(std::move(note));
    }

    CMainDoc doc;
};
} // namespace graphtest
