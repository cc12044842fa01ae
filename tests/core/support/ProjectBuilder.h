// Builds sessions and flights inside a project document, and lists what a session holds.
#pragma once

#include "data/DataBlock.h"
#include "data/DataModule.h"
#include "shell/MainDoc.h"

#include <memory>
#include <string>
#include <vector>

namespace testing_project {

// Appends flight (an empty one by default), named unless name is empty, to session; returns it.
inline CDataBlock* AddFlight(CDataModule& session, const std::string& name = {},
                             std::unique_ptr<CDataBlock> flight = std::make_unique<CDataBlock>()) {
    if (!name.empty())
        flight->SetName(name, false, nullptr);
    CDataBlock* raw = flight.get();
    session.AppendFlight(std::move(flight));
    return raw;
}

// Appends a session holding one empty flight per name to doc and returns it. An empty name
// keeps the session's numbered default. The document owns what is made.
inline CDataModule* AddSession(CMainDoc& doc, const std::vector<std::string>& flights = {},
                               const std::string& name = {}) {
    auto session = std::make_unique<CDataModule>(&doc);
    if (!name.empty())
        session->SetName(name, false, nullptr);
    for (const std::string& flight : flights)
        AddFlight(*session, flight);
    CDataModule* raw = session.get();
    doc.GetSessions().AddTail(std::move(session));
    return raw;
}

inline std::vector<std::string> FlightNames(const CDataModule& session) {
    std::vector<std::string> names;
    for (const CDataBlock* flight : session.GetFlights())
        names.push_back(flight->GetName());
    return names;
}

} // namespace testing_project
