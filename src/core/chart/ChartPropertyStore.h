// CChartPropertyStore: the chart's settings and data as typed values keyed by property id.
#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <variant>
#include <vector>

// The kinds a property can hold. Known ids have a fixed kind (values set in another form are
// converted to it); an unknown id takes the kind of its first set and keeps what it is given.
enum class PropertyKind : std::uint8_t {
    Int = 1,
    Text = 2,
    Doubles = 3,
    Floats = 4,
    Ints = 5,
    Texts = 6,
};

class CChartPropertyStore {
public:
    using Value = std::variant<std::int32_t, std::string, std::vector<double>, std::vector<float>,
                               std::vector<std::int32_t>, std::vector<std::string>>;

    CChartPropertyStore();

    // Back to the defaults: every property forgotten, data included.
    void Reset();

    void SetInt(int id, std::int32_t value);
    // The value, element 0 of a vector, or the id's default (0 for ids without one).
    [[nodiscard]] std::int32_t GetInt(int id) const;

    void SetText(int id, std::string text);
    // The text, or the texts of a text vector joined with TABs after each item.
    [[nodiscard]] std::string GetText(int id) const;

    void SetDoubles(int id, std::span<const double> values);
    void SetFloats(int id, std::span<const float> values);
    void SetInts(int id, std::span<const std::int32_t> values);
    void SetTexts(int id, std::vector<std::string> values);
    // The x or y data (chart::kXData, chart::kYData) given subset by subset, each at its own
    // length: subsets of very different lengths cost only their own points. Reads of the
    // property see the subset-major array of PointsPerSubset entries per subset, a subset longer
    // than that cut to it, a shorter one padded with 0 (x) or the missing y value (y).
    void SetSubsetFloats(int id, std::vector<std::vector<float>> subsets);
    // One TAB-separated text: each item is followed by a TAB; a last item without TAB counts.
    void SetTabText(int id, std::string_view text);

    // Cells: the vector grows (zero/empty filled) to hold index. Negative indexes are ignored.
    void SetCellDouble(int id, int index, double value);
    void SetCellInt(int id, int index, std::int32_t value);
    void SetCellText(int id, int index, std::string text);

    [[nodiscard]] std::size_t Count(int id) const; // items of a vector; 1 for a scalar; 0 unset
    [[nodiscard]] bool Has(int id) const {
        return m_values.count(id) != 0 || m_subsets.count(id) != 0;
    }
    [[nodiscard]] double DoubleAt(int id, std::size_t index, double fallback = 0.0) const;
    [[nodiscard]] std::int32_t IntAt(int id, std::size_t index, std::int32_t fallback = 0) const;
    [[nodiscard]] std::string TextAt(int id, std::size_t index) const;
    // The float data of a Floats property set as one array, or null; valid until the property
    // changes.
    [[nodiscard]] const std::vector<float>* Floats(int id) const;

    // Subsets of the x or y data that are held in full: those set per subset, or of a flat array
    // the whole slices of PointsPerSubset values.
    [[nodiscard]] std::size_t HeldSubsets(int id) const;
    // The points of one held subset, at most PointsPerSubset of them: its own points when set
    // per subset, else its slice of the flat array (padding included). Valid until the property
    // changes.
    [[nodiscard]] std::span<const float> SubsetFloats(int id, std::size_t subset) const;

    [[nodiscard]] const std::map<int, Value>& Values() const { return m_values; }
    // Replaces every property except those listed in keep, which stay as they are.
    void ReplaceAllExcept(std::map<int, Value> values, std::span<const int> keep);

    // Counts changes of the data properties (subset/point counts, x, y, missing values), so a
    // holder of derived data knows when to rebuild it.
    [[nodiscard]] std::uint64_t DataGeneration() const { return m_dataGeneration; }
    // Counts every change.
    [[nodiscard]] std::uint64_t Generation() const { return m_generation; }

    [[nodiscard]] static bool IsKnown(int id);
    [[nodiscard]] static PropertyKind KindOf(int id, PropertyKind fallback);
    [[nodiscard]] static PropertyKind KindOfValue(const Value& value);

private:
    void Touched(int id);
    void Assign(int id, Value value);
    Value& Slot(int id, PropertyKind kind);
    [[nodiscard]] std::size_t PointsPerSubset() const;
    [[nodiscard]] double PaddedAt(int id, std::size_t index, double fallback) const;

    std::map<int, Value> m_values;
    // Data set per subset; an id is in m_values or here, never in both.
    std::map<int, std::vector<std::vector<float>>> m_subsets;
    std::uint64_t m_dataGeneration = 1;
    std::uint64_t m_generation = 1;
};
