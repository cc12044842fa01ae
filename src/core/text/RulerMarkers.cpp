#include "text/RulerMarkers.h"

#include "text/PageMargins.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace {
constexpr int kTwipsPerInch = 1440;

long long FloorDiv(long long a, long long b) {
    long long q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}
} // namespace

bool RulerMarkers::SetMargins(const PageMargins& margins) {
    if (margins == m_margins)
        return false;
    m_margins = margins;
    return true;
}

int RulerMarkers::UsableWidth() const {
    return kPageWidth - m_margins.right - m_margins.left;
}

bool RulerMarkers::SetParagraph(const CRichParagraphFormat& format) {
    auto slots = m_slots;
    slots[kLeft] = {format.leftIndentTwips, true};
    slots[kFirstLine] = {format.leftIndentTwips + format.firstIndentTwips, true};
    slots[kRight] = {UsableWidth() - format.rightIndentTwips, true};
    for (std::size_t i = 0; i < kTabCount; ++i) {
        Slot& tab = slots[kFirstTab + i];
        tab.inUse = i < format.tabStopsTwips.size();
        if (tab.inUse)
            tab.position = format.tabStopsTwips[i];
    }
    bool changed = false;
    for (std::size_t i = 0; i < slots.size(); ++i)
        changed |= slots[i].inUse != m_slots[i].inUse ||
                   (slots[i].inUse && slots[i].position != m_slots[i].position);
    m_slots = slots;
    m_dragged = kNone;
    return changed;
}

int RulerMarkers::Position(int marker) const {
    return marker >= 0 && static_cast<std::size_t>(marker) < m_slots.size()
               ? m_slots[static_cast<std::size_t>(marker)].position
               : 0;
}

bool RulerMarkers::InUse(int marker) const {
    return marker >= 0 && static_cast<std::size_t>(marker) < m_slots.size() &&
           m_slots[static_cast<std::size_t>(marker)].inUse;
}

int RulerMarkers::LastTabPosition() const {
    int last = 0;
    for (std::size_t i = kFirstTab; i < m_slots.size(); ++i)
        if (m_slots[i].inUse)
            last = std::max(last, m_slots[i].position);
    return last;
}

int RulerMarkers::FreeTabMarker() const {
    for (std::size_t i = kFirstTab; i < m_slots.size(); ++i)
        if (!m_slots[i].inUse)
            return static_cast<int>(i);
    return kNone;
}

void RulerMarkers::BeginDrag(int marker, int twips) {
    if (marker < 0 || static_cast<std::size_t>(marker) >= m_slots.size())
        return;
    m_dragged = marker;
    const int right = m_slots[kRight].position;
    const int indent = std::max(m_slots[kLeft].position, m_slots[kFirstLine].position);
    switch (marker) {
    case kLeft:
    case kFirstLine:
        m_min = 0;
        m_max = std::max(0, right - kMinMove);
        break;
    case kRight:
        m_min = indent + kMinMove;
        m_max = std::max(m_min, UsableWidth());
        break;
    default:
        m_min = 0;
        m_max = std::max(0, UsableWidth());
        m_slots[static_cast<std::size_t>(marker)].inUse = true;
        break;
    }
    DragTo(twips, true);
}

void RulerMarkers::DragTo(int twips, bool insideStrip) {
    if (m_dragged == kNone)
        return;
    Slot& slot = m_slots[static_cast<std::size_t>(m_dragged)];
    slot.position = std::clamp(Snap(twips), m_min, m_max);
    if (m_dragged >= kFirstTab)
        slot.inUse = insideStrip;
}

int RulerMarkers::EndDrag() {
    const int dragged = m_dragged;
    m_dragged = kNone;
    return dragged;
}

CRichParagraphFormat RulerMarkers::ApplyTo(CRichParagraphFormat format) const {
    const int first = m_slots[kFirstLine].position;
    const int left = m_slots[kLeft].position;
    format.leftIndentTwips = left;
    format.firstIndentTwips = first - left;
    format.rightIndentTwips = UsableWidth() - m_slots[kRight].position;
    std::vector<int> tabs;
    for (std::size_t i = kFirstTab; i < m_slots.size(); ++i)
        if (m_slots[i].inUse)
            tabs.push_back(m_slots[i].position);
    std::ranges::sort(tabs);
    tabs.erase(std::unique(tabs.begin(), tabs.end()), tabs.end());
    format.tabStopsTwips = std::move(tabs);
    return format;
}

int RulerMarkers::Snap(int twips) {
    const long long snapped =
        FloorDiv(static_cast<long long>(twips) + kMinMove / 2, kMinMove) * kMinMove;
    return static_cast<int>(std::clamp<long long>(snapped,
                                                  std::numeric_limits<int>::min() + kMinMove,
                                                  std::numeric_limits<int>::max() - kMinMove));
}

int RulerMarkers::PixelToTwips(int x, int scroll, int origin, int dpi) {
    return MulDiv(x + scroll - origin, kTwipsPerInch, dpi > 0 ? dpi : 96);
}

int RulerMarkers::TwipsToPixel(int twips, int scroll, int origin, int dpi) {
    return origin - scroll + MulDiv(twips, dpi > 0 ? dpi : 96, kTwipsPerInch);
}
