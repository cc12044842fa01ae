#include "data/Annotation.h"

#include "data/DataBlock.h"
#include "framework/StringIds.h"
#include "framework/StringTable.h"
#include "framework/Utf8.h"

KUBO_IMPLEMENT_SERIAL(CAnnotation, CObject, 0)

namespace {
constexpr unsigned kAnnotationTextId = str::AnnotationText;
constexpr unsigned kMarkerTextId = str::DataMarkerText;
constexpr unsigned kLineStylesId = str::LineStyleNames;
constexpr unsigned kSymbolsId = str::SymbolNames;
constexpr unsigned kAlignmentDescriptionsId = str::AlignmentNamesFirst; // + kind
constexpr unsigned kAlignmentCodesId = str::AlignmentCodesFirst;        // + kind
constexpr std::size_t kLabelLength = 46;

bool IsKnownKind(int kind) {
    return kind >= 0 && kind < CAnnotation::kKindCount;
}
} // namespace

CAnnotation::CAnnotation(CDataBlock* owner)
    : m_strText(LoadString(kAnnotationTextId)), m_pOwner(owner) {}

std::unique_ptr<CAnnotation> CAnnotation::MakeDataMarker(CDataBlock* owner, int number,
                                                         double time) {
    auto marker = std::make_unique<CAnnotation>(owner);
    marker->m_nKind = kDataPoint;
    marker->m_bVisible = true;
    marker->m_bBoundToData = true;
    marker->m_nStyle = kDataMarkerSymbol;
    marker->m_nAlignment = 1;
    marker->m_crColour = 0;
    marker->m_dTime = time;
    marker->m_strText = FormatDirectives(LoadString(kMarkerTextId), {std::to_string(number)});
    return marker;
}

CRecordDocument* CAnnotation::GetDocument() const {
    return m_pOwner ? m_pOwner->GetDocument() : nullptr;
}

std::string CAnnotation::GetAlignmentCodes(int kind) {
    return IsKnownKind(kind) ? LoadString(kAlignmentCodesId + static_cast<unsigned>(kind))
                             : std::string();
}

std::string CAnnotation::GetAlignmentDescriptions(int kind) {
    return IsKnownKind(kind) ? LoadString(kAlignmentDescriptionsId + static_cast<unsigned>(kind))
                             : std::string();
}

std::string CAnnotation::GetStyleNames(int kind) {
    if (kind == kHorizontalLine || kind == kVerticalLine)
        return LoadString(kLineStylesId);
    if (kind == kDataPoint)
        return LoadString(kSymbolsId);
    return std::string();
}

std::string CAnnotation::GetChartLabel() const {
    std::string code;
    if (m_nAlignment >= 0)
        code = GetListEntry(GetAlignmentCodes(m_nKind), static_cast<std::size_t>(m_nAlignment))
                   .value_or(std::string());
    std::string body = "  ";
    body.reserve(m_strText.size() + 2);
    for (char c : m_strText) {
        if (c == '\r')
            continue;
        body += c;
        if (c == '\n')
            body += "  ";
    }
    return code + std::string(Utf8Prefix(body, kLabelLength));
}
