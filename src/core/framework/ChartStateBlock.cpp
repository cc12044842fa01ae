#include "framework/ChartStateBlock.h"

#include "framework/Archive.h"

KUBO_IMPLEMENT_DYNAMIC(CChartStateBlock, CObject)

void CChartStateBlock::Serialize(CArchive& ar) {
    if (ar.IsStoring())
        ar.WriteByteBlock(m_data);
    else
        m_data = ar.ReadByteBlock();
}
