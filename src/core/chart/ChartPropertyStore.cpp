#include "chart/ChartPropertyStore.h"

#include "chart/ChartPropertyIds.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {
struct KnownId {
    int id;
    PropertyKind kind;
};

// Every id with a role, and its kind. Ids the pages set without a role are ints.
constexpr std::array kKnownIds = {
    KnownId{chart::kSubsetCount, PropertyKind::Int},
    KnownId{chart::kPointsPerSubset, PropertyKind::Int},
    KnownId{chart::kSubsetLabels, PropertyKind::Texts},
    KnownId{chart::kXData, PropertyKind::Floats},
    KnownId{chart::kYData, PropertyKind::Floats},
    KnownId{chart::kNullYValue, PropertyKind::Doubles},
    KnownId{chart::kNullXValue, PropertyKind::Doubles},
    KnownId{chart::kSubsetLineStyles, PropertyKind::Ints},
    KnownId{chart::kSubsetColours, PropertyKind::Ints},
    KnownId{chart::kMainTitle, PropertyKind::Text},
    KnownId{chart::kSubTitle, PropertyKind::Text},
    KnownId{chart::kXAxisTitle, PropertyKind::Text},
    KnownId{chart::kYAxisTitle, PropertyKind::Text},
    KnownId{chart::kMainTitleFont, PropertyKind::Text},
    KnownId{chart::kSubTitleFont, PropertyKind::Text},
    KnownId{chart::kLabelFont, PropertyKind::Text},
    KnownId{chart::kDeskColour, PropertyKind::Int},
    KnownId{chart::kGraphBackColour, PropertyKind::Int},
    KnownId{chart::kZoomStyle, PropertyKind::Int},
    KnownId{chart::kZoomMinX, PropertyKind::Doubles},
    KnownId{chart::kZoomMaxX, PropertyKind::Doubles},
    KnownId{chart::kZoomMinY, PropertyKind::Doubles},
    KnownId{chart::kZoomMaxY, PropertyKind::Doubles},
    KnownId{chart::kZoomedX, PropertyKind::Int},
    KnownId{chart::kZoomedY, PropertyKind::Int},
    KnownId{chart::kAutoWindow, PropertyKind::Int},
    KnownId{chart::kCursorMode, PropertyKind::Int},
    KnownId{chart::kCursorPoint, PropertyKind::Int},
    KnownId{chart::kCursorSubset, PropertyKind::Int},
    KnownId{chart::kKeyRedraw, PropertyKind::Int},
    KnownId{chart::kMoveDuringDrag, PropertyKind::Int},
    KnownId{chart::kClickPlacesCursor, PropertyKind::Int},
    KnownId{chart::kDragAsLine, PropertyKind::Int},
    KnownId{chart::kZoomOnDrag, PropertyKind::Int},
    KnownId{chart::kPlotRect, PropertyKind::Ints},
    KnownId{chart::kHorzLineY, PropertyKind::Doubles},
    KnownId{chart::kHorzLineStyle, PropertyKind::Ints},
    KnownId{chart::kHorzLineColour, PropertyKind::Ints},
    KnownId{chart::kHorzLineAxis, PropertyKind::Ints},
    KnownId{chart::kHorzLineText, PropertyKind::Texts},
    KnownId{chart::kVertLineX, PropertyKind::Doubles},
    KnownId{chart::kVertLineStyle, PropertyKind::Ints},
    KnownId{chart::kVertLineColour, PropertyKind::Ints},
    KnownId{chart::kVertLineText, PropertyKind::Texts},
    KnownId{chart::kPointX, PropertyKind::Doubles},
    KnownId{chart::kPointY, PropertyKind::Doubles},
    KnownId{chart::kPointSymbol, PropertyKind::Ints},
    KnownId{chart::kPointColour, PropertyKind::Ints},
    KnownId{chart::kPointText, PropertyKind::Texts},
    KnownId{chart::kGridLines, PropertyKind::Int},
    KnownId{chart::kShowLegend, PropertyKind::Int},
    KnownId{chart::kTextColour, PropertyKind::Int},
    KnownId{chart::kGridColour, PropertyKind::Int},
    KnownId{chart::kPageFloatSetting, PropertyKind::Floats},
    KnownId{chart::kPageDoubleSetting, PropertyKind::Doubles},
};

constexpr std::array kDataIds = {chart::kSubsetCount, chart::kPointsPerSubset, chart::kXData,
                                 chart::kYData,       chart::kNullYValue,      chart::kNullXValue};

std::int32_t DefaultInt(int id) {
    switch (id) {
    case chart::kZoomStyle:
        return 1;
    case chart::kDeskColour:
        return 0x00F0F0F0;
    case chart::kGraphBackColour:
        return 0x00FFFFFF;
    case chart::kKeyRedraw:
    case chart::kZoomOnDrag:
    case chart::kGridLines:
    case chart::kShowLegend:
        return 1;
    case chart::kGridColour:
        return 0x00D8D8D8;
    case chart::kAutoWindow:
        // Windows from before this property (older settings blocks) count as automatic.
        return chart::kAutoWindowX | chart::kAutoWindowY;
    default:
        return 0;
    }
}

template <typename To, typename From>
std::vector<To> Convert(const std::vector<From>& from) {
    std::vector<To> to;
    to.reserve(from.size());
    for (const From& v : from)
        to.push_back(static_cast<To>(v));
    return to;
}

// The value in the asked kind; numbers convert between kinds, texts only to texts.
CChartPropertyStore::Value Coerce(CChartPropertyStore::Value value, PropertyKind kind) {
    using Value = CChartPropertyStore::Value;
    if (CChartPropertyStore::KindOfValue(value) == kind)
        return value;
    std::vector<double> numbers;
    std::vector<std::string> texts;
    if (auto* i = std::get_if<std::int32_t>(&value))
        numbers = {static_cast<double>(*i)};
    else if (auto* d = std::get_if<std::vector<double>>(&value))
        numbers = *d;
    else if (auto* f = std::get_if<std::vector<float>>(&value))
        numbers = Convert<double>(*f);
    else if (auto* is = std::get_if<std::vector<std::int32_t>>(&value))
        numbers = Convert<double>(*is);
    else if (auto* t = std::get_if<std::string>(&value))
        texts = {*t};
    else if (auto* ts = std::get_if<std::vector<std::string>>(&value))
        texts = *ts;
    switch (kind) {
    case PropertyKind::Int:
        return Value{numbers.empty() ? 0 : static_cast<std::int32_t>(numbers.front())};
    case PropertyKind::Text:
        return Value{texts.empty() ? std::string() : texts.front()};
    case PropertyKind::Doubles:
        return Value{numbers};
    case PropertyKind::Floats:
        return Value{Convert<float>(numbers)};
    case PropertyKind::Ints: {
        std::vector<std::int32_t> ints;
        for (double d : numbers)
            ints.push_back(static_cast<std::int32_t>(std::clamp(d, -2147483648.0, 2147483647.0)));
        return Value{std::move(ints)};
    }
    case PropertyKind::Texts:
        return Value{texts};
    }
    return value;
}
} // namespace

CChartPropertyStore::CChartPropertyStore() = default;

bool CChartPropertyStore::IsKnown(int id) {
    return std::any_of(kKnownIds.begin(), kKnownIds.end(),
                       [id](const KnownId& k) { return k.id == id; });
}

PropertyKind CChartPropertyStore::KindOf(int id, PropertyKind fallback) {
    for (const KnownId& k : kKnownIds)
        if (k.id == id)
            return k.kind;
    return fallback;
}

PropertyKind CChartPropertyStore::KindOfValue(const Value& value) {
    return static_cast<PropertyKind>(value.index() + 1);
}

void CChartPropertyStore::Touched(int id) {
    ++m_generation;
    if (std::find(kDataIds.begin(), kDataIds.end(), id) != kDataIds.end())
        ++m_dataGeneration;
}

void CChartPropertyStore::Reset() {
    m_values.clear();
    m_subsets.clear();
    ++m_generation;
    ++m_dataGeneration;
}

void CChartPropertyStore::Assign(int id, Value value) {
    m_subsets.erase(id);
    m_values[id] = std::move(value);
    Touched(id);
}

void CChartPropertyStore::SetInt(int id, std::int32_t value) {
    Assign(id, Coerce(Value{value}, KindOf(id, PropertyKind::Int)));
}

std::int32_t CChartPropertyStore::GetInt(int id) const {
    auto it = m_values.find(id);
    if (it == m_values.end())
        return DefaultInt(id);
    if (auto* i = std::get_if<std::int32_t>(&it->second))
        return *i;
    if (Count(id) == 0)
        return DefaultInt(id);
    return IntAt(id, 0);
}

void CChartPropertyStore::SetText(int id, std::string text) {
    Assign(id, Coerce(Value{std::move(text)}, KindOf(id, PropertyKind::Text)));
}

std::string CChartPropertyStore::GetText(int id) const {
    auto it = m_values.find(id);
    if (it == m_values.end())
        return {};
    if (auto* t = std::get_if<std::string>(&it->second))
        return *t;
    if (auto* ts = std::get_if<std::vector<std::string>>(&it->second)) {
        std::string joined;
        for (const std::string& s : *ts)
            joined += s + '\t';
        return joined;
    }
    return {};
}

void CChartPropertyStore::SetDoubles(int id, std::span<const double> values) {
    Assign(id, Coerce(Value{std::vector<double>(values.begin(), values.end())},
                      KindOf(id, PropertyKind::Doubles)));
}

void CChartPropertyStore::SetFloats(int id, std::span<const float> values) {
    Assign(id, Coerce(Value{std::vector<float>(values.begin(), values.end())},
                      KindOf(id, PropertyKind::Floats)));
}

void CChartPropertyStore::SetInts(int id, std::span<const std::int32_t> values) {
    Assign(id, Coerce(Value{std::vector<std::int32_t>(values.begin(), values.end())},
                      KindOf(id, PropertyKind::Ints)));
}

void CChartPropertyStore::SetTexts(int id, std::vector<std::string> values) {
    Assign(id, Coerce(Value{std::move(values)}, KindOf(id, PropertyKind::Texts)));
}

void CChartPropertyStore::SetSubsetFloats(int id, std::vector<std::vector<float>> subsets) {
    m_values.erase(id);
    m_subsets[id] = std::move(subsets);
    Touched(id);
}

std::size_t CChartPropertyStore::PointsPerSubset() const {
    return static_cast<std::size_t>(std::max(GetInt(chart::kPointsPerSubset), 0));
}

std::size_t CChartPropertyStore::HeldSubsets(int id) const {
    if (auto it = m_subsets.find(id); it != m_subsets.end())
        return it->second.size();
    const std::vector<float>* flat = Floats(id);
    const std::size_t points = PointsPerSubset();
    return flat && points > 0 ? flat->size() / points : 0;
}

std::span<const float> CChartPropertyStore::SubsetFloats(int id, std::size_t subset) const {
    const std::size_t points = PointsPerSubset();
    if (auto it = m_subsets.find(id); it != m_subsets.end()) {
        if (subset >= it->second.size())
            return {};
        const std::vector<float>& own = it->second[subset];
        return std::span<const float>(own).first(std::min(own.size(), points));
    }
    const std::vector<float>* flat = Floats(id);
    if (!flat || points == 0 || subset >= flat->size() / points)
        return {};
    return std::span<const float>(*flat).subspan(subset * points, points);
}

double CChartPropertyStore::PaddedAt(int id, std::size_t index, double fallback) const {
    const std::vector<std::vector<float>>& subsets = m_subsets.at(id);
    const std::size_t points = PointsPerSubset();
    if (points == 0 || index / points >= subsets.size())
        return fallback;
    const std::vector<float>& own = subsets[index / points];
    const std::size_t point = index % points;
    if (point < own.size())
        return own[point];
    if (id == chart::kYData)
        return static_cast<double>(
            static_cast<float>(DoubleAt(chart::kNullYValue, 0, chart::kDefaultNullValue)));
    return 0.0;
}

void CChartPropertyStore::SetTabText(int id, std::string_view text) {
    std::vector<std::string> items;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t tab = text.find('\t', start);
        if (tab == std::string_view::npos) {
            items.emplace_back(text.substr(start));
            break;
        }
        items.emplace_back(text.substr(start, tab - start));
        start = tab + 1;
    }
    SetTexts(id, std::move(items));
}

CChartPropertyStore::Value& CChartPropertyStore::Slot(int id, PropertyKind kind) {
    if (m_subsets.count(id) != 0) {
        // A cell of data set per subset: the property becomes the flat array it reads as.
        std::vector<float> flat(Count(id));
        for (std::size_t i = 0; i < flat.size(); ++i)
            flat[i] = static_cast<float>(PaddedAt(id, i, 0.0));
        m_subsets.erase(id);
        m_values[id] = Value{std::move(flat)};
    }
    auto it = m_values.find(id);
    if (it == m_values.end())
        it = m_values.emplace(id, Coerce(Value{std::vector<double>{}}, kind)).first;
    else if (KindOfValue(it->second) != kind)
        it->second = Coerce(std::move(it->second), kind);
    return it->second;
}

namespace {
template <typename T>
void PutCell(std::vector<T>& cells, int index, T value) {
    auto at = static_cast<std::size_t>(index);
    if (cells.size() <= at)
        cells.resize(at + 1);
    cells[at] = std::move(value);
}
} // namespace

void CChartPropertyStore::SetCellDouble(int id, int index, double value) {
    if (index < 0)
        return;
    Value& slot = Slot(id, KindOf(id, PropertyKind::Doubles));
    if (auto* d = std::get_if<std::vector<double>>(&slot))
        PutCell(*d, index, value);
    else if (auto* f = std::get_if<std::vector<float>>(&slot))
        PutCell(*f, index, static_cast<float>(value));
    else if (auto* i = std::get_if<std::vector<std::int32_t>>(&slot))
        PutCell(*i, index, static_cast<std::int32_t>(value));
    Touched(id);
}

void CChartPropertyStore::SetCellInt(int id, int index, std::int32_t value) {
    if (index < 0)
        return;
    Value& slot = Slot(id, KindOf(id, PropertyKind::Ints));
    if (auto* i = std::get_if<std::vector<std::int32_t>>(&slot))
        PutCell(*i, index, value);
    else if (auto* d = std::get_if<std::vector<double>>(&slot))
        PutCell(*d, index, static_cast<double>(value));
    else if (auto* f = std::get_if<std::vector<float>>(&slot))
        PutCell(*f, index, static_cast<float>(value));
    Touched(id);
}

void CChartPropertyStore::SetCellText(int id, int index, std::string text) {
    if (index < 0)
        return;
    Value& slot = Slot(id, KindOf(id, PropertyKind::Texts));
    if (auto* ts = std::get_if<std::vector<std::string>>(&slot))
        PutCell(*ts, index, std::move(text));
    Touched(id);
}

std::size_t CChartPropertyStore::Count(int id) const {
    if (auto sub = m_subsets.find(id); sub != m_subsets.end())
        return sub->second.size() * PointsPerSubset();
    auto it = m_values.find(id);
    if (it == m_values.end())
        return 0;
    return std::visit(
        [](const auto& v) -> std::size_t {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::int32_t> || std::is_same_v<T, std::string>)
                return 1;
            else
                return v.size();
        },
        it->second);
}

double CChartPropertyStore::DoubleAt(int id, std::size_t index, double fallback) const {
    if (m_subsets.count(id) != 0)
        return PaddedAt(id, index, fallback);
    auto it = m_values.find(id);
    if (it == m_values.end())
        return fallback;
    return std::visit(
        [&](const auto& v) -> double {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::int32_t>)
                return index == 0 ? v : fallback;
            else if constexpr (std::is_same_v<T, std::string> ||
                               std::is_same_v<T, std::vector<std::string>>)
                return fallback;
            else
                return index < v.size() ? static_cast<double>(v[index]) : fallback;
        },
        it->second);
}

std::int32_t CChartPropertyStore::IntAt(int id, std::size_t index, std::int32_t fallback) const {
    auto it = m_values.find(id);
    if (it == m_values.end() && m_subsets.count(id) == 0)
        return fallback;
    if (it != m_values.end()) {
        if (auto* is = std::get_if<std::vector<std::int32_t>>(&it->second))
            return index < is->size() ? (*is)[index] : fallback;
        if (auto* i = std::get_if<std::int32_t>(&it->second))
            return index == 0 ? *i : fallback;
    }
    double d = DoubleAt(id, index, static_cast<double>(fallback));
    return static_cast<std::int32_t>(std::clamp(d, -2147483648.0, 2147483647.0));
}

std::string CChartPropertyStore::TextAt(int id, std::size_t index) const {
    auto it = m_values.find(id);
    if (it == m_values.end())
        return {};
    if (auto* ts = std::get_if<std::vector<std::string>>(&it->second))
        return index < ts->size() ? (*ts)[index] : std::string();
    if (auto* t = std::get_if<std::string>(&it->second))
        return index == 0 ? *t : std::string();
    return {};
}

const std::vector<float>* CChartPropertyStore::Floats(int id) const {
    auto it = m_values.find(id);
    if (it == m_values.end())
        return nullptr;
    return std::get_if<std::vector<float>>(&it->second);
}

void CChartPropertyStore::ReplaceAllExcept(std::map<int, Value> values, std::span<const int> keep) {
    std::erase_if(m_subsets, [keep](const auto& entry) {
        return std::find(keep.begin(), keep.end(), entry.first) == keep.end();
    });
    for (int id : keep) {
        if (m_subsets.count(id) != 0) {
            values.erase(id);
            continue;
        }
        values.erase(id);
        auto it = m_values.find(id);
        if (it != m_values.end())
            values.emplace(id, std::move(it->second));
    }
    m_values = std::move(values);
    ++m_generation;
    ++m_dataGeneration;
}
