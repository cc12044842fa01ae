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
    // One TAB-separated text: each item is followed by a TAB; a last item without TAB counts.
    void SetTabText(int id, std::string_view text);

    // Cells: the vector grows (zero/empty filled) to hold index. Negative indexes are ignored.
    void SetCellDouble(int id, int index, double value);
    void SetCellInt(int id, int index, std::int32_t value);
    void SetCellText(int id, int index, std::string text);

    [[nodiscard]] std::size_t Count(int id) const; // items of a vector; 1 for a scalar; 0 unset
    [[nodiscard]] bool Has(int id) const { return m_values.count(id) != 0; }
    [[nodiscard]] double DoubleAt(int id, std::size_t index, double fallback = 0.0) const;
    [[nodiscard]] std::int32_t IntAt(int id, std::size_t index, std::int32_t fallback = 0) const;
    [[nodiscard]] std::string TextAt(int id, std::size_t index) const;
    // The float data of a Floats property, or null; valid until the property changes.
    [[nodiscard]] const std::vector<float>* Floats(int id) const;

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
    Value& Slot(int id, PropertyKind kind);

    std::map<int, Value> m_values;
    std::uint64_t m_dataGeneration = 1;
    std::uint64_t m_generation = 1;
};
