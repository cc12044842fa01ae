#include "data/Annotation.h"
#include "framework/Archive.h"

void CAnnotation::Serialize(CArchive& ar) {
    const std::uint16_t version = ar.GetFileVersion();
    if (ar.IsStoring()) {
        ar.WriteBool32(m_bVisible);
        ar.WriteI32(m_nKind);
        ar.WriteI32(m_nStyle);
        ar.WriteI32(m_nAlignment);
        ar.WriteF64(m_dTime);
        ar.WriteF64(m_dAltitude);
        ar.WriteString(m_strText);
        ar.WriteU32(m_crColour);
        if (version >= 5) {
            ar.WriteBool32(m_bBoundToData);
            ar.WriteU16(0); // reserved
        }
        return;
    }
    m_bVisible = ar.ReadBool32();
    m_nKind = ar.ReadI32();
    m_nStyle = ar.ReadI32();
    m_nAlignment = ar.ReadI32();
    m_dTime = ar.ReadF64();
    m_dAltitude = ar.ReadF64();
    m_strText = ar.ReadString();
    m_crColour = ar.ReadU32();
    if (version >= 5) {
        m_bBoundToData = ar.ReadBool32();
        (void)ar.ReadU16(); // reserved
    }
}
