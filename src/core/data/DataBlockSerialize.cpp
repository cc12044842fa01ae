#include "data/Annotation.h"
#include "data/DataBlock.h"
#include "framework/Archive.h"

void CDataBlock::Serialize(CArchive& ar) {
    const std::uint16_t version = ar.GetFileVersion();
    if (ar.IsStoring()) {
        ar.WriteObject(GetParent());
        ar.WriteString(m_strName);
        ar.WriteString(m_strDate);
        ar.WriteU32(m_nVersion);
        ar.WriteU16(m_nReferenceRaw);
        ar.WriteI32(m_nSampleRate);
        ar.WriteString(m_strAltitudeFormula);
        ar.WriteString(m_strPressureFormula);
        ar.WriteBool32(m_bShown);
        if (version >= 3) {
            ar.WriteBool32(m_bPendingOffset);
            ar.WriteF32(m_fPendingTimeOffset);
            ar.WriteF32(m_fPendingAltitudeOffset);
        }
        if (version >= 4) {
            ar.WriteF32(m_fAppliedTimeOffset);
            ar.WriteF32(m_fAppliedAltitudeOffset);
        }
        ar.WriteList(m_annotations);
        ar.WriteWordArray(m_raw);
        return;
    }
    // The parent must be an item already read (the session); the adopting session sets it.
    SetParent(ar.ReadReference<CViewTreeItem>());
    m_strName = ar.ReadString();
    m_strDate = ar.ReadString();
    m_nVersion = ar.ReadU32();
    m_nReferenceRaw = ar.ReadU16();
    m_nSampleRate = ar.ReadI32();
    m_strAltitudeFormula = ar.ReadString();
    m_strPressureFormula = ar.ReadString();
    m_bShown = ar.ReadBool32();
    if (version >= 3) {
        m_bPendingOffset = ar.ReadBool32();
        m_fPendingTimeOffset = ar.ReadF32();
        m_fPendingAltitudeOffset = ar.ReadF32();
    }
    if (version >= 4) {
        m_fAppliedTimeOffset = ar.ReadF32();
        m_fAppliedAltitudeOffset = ar.ReadF32();
    }
    ar.ReadList<CAnnotation>([this](std::unique_ptr<CAnnotation> annotation) {
        AppendAnnotation(std::move(annotation));
    });
    ar.ReadWordArray(m_raw);
}
