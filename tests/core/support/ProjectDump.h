// Describes a whole project (every stored field, in order) as text, to compare round trips.
#pragma once

#include "data/Annotation.h"
#include "data/DataBlock.h"
#include "data/DataModule.h"
#include "shell/MainDoc.h"

#include <cstdio>
#include <sstream>
#include <string>

inline std::string DumpProject(const CMainDoc& doc) {
    std::ostringstream out;
    auto num = [](double v) {
        char buf[40];
        std::snprintf(buf, sizeof buf, "%.17g", v);
        return std::string(buf);
    };
    out << "chart " << doc.GetChartState().GetData().size() << ":";
    for (auto b : doc.GetChartState().GetData())
        out << ' ' << int(b);
    out << "\nuser [" << doc.GetUserFormula(1) << "][" << doc.GetUserTitle(1) << "]["
        << doc.GetUserFormula(2) << "][" << doc.GetUserTitle(2) << "]\n";
    for (const CDataModule* s : doc.GetSessions()) {
        const auto comments = s->GetComments().Data();
        out << "session [" << s->GetName() << "] doc " << (s->GetDocument() == &doc)
            << " comments [" << std::string(comments.begin(), comments.end()) << "]\n";
        for (const CDataBlock* f : s->GetFlights()) {
            out << " flight [" << f->GetName() << "][" << f->GetDate() << "] v" << f->GetVersion()
                << " ref " << f->GetReferenceRaw() << " rate " << f->GetSampleRate() << " ["
                << f->GetAltitudeFormula() << "][" << f->GetPressureFormula() << "] shown "
                << f->IsShown() << " parent " << (f->GetParent() == s) << " pending "
                << f->IsPendingOffsetActive() << ' ' << num(f->GetPendingTimeOffset()) << ' '
                << num(f->GetPendingAltitudeOffset()) << " applied "
                << num(f->GetAppliedTimeOffset()) << ' ' << num(f->GetAppliedAltitudeOffset())
                << "\n  samples";
            for (auto v : f->GetRawSamples())
                out << ' ' << v;
            out << '\n';
            for (const CAnnotation* a : f->GetAnnotations())
                out << "  note owner " << (a->GetOwner() == f) << " vis " << a->m_bVisible
                    << " kind " << a->m_nKind << " style " << a->m_nStyle << " align "
                    << a->m_nAlignment << " at " << num(a->m_dTime) << ' ' << num(a->m_dAltitude)
                    << " [" << a->m_strText << "] colour " << a->m_crColour << " bound "
                    << a->m_bBoundToData << '\n';
        }
    }
    return out.str();
}
