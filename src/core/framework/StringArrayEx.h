// CStringArrayEx: an ordered array of texts with a find by exact text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class CStringArrayEx {
public:
    CStringArrayEx() = default;
    CStringArrayEx(std::initializer_list<std::string> items) : m_items(items) {}

    [[nodiscard]] std::ptrdiff_t GetCount() const {
        return static_cast<std::ptrdiff_t>(m_items.size());
    }
    [[nodiscard]] bool IsEmpty() const { return m_items.empty(); }
    [[nodiscard]] const std::string& GetAt(std::ptrdiff_t index) const {
        return m_items.at(static_cast<std::size_t>(index));
    }
    void SetAt(std::ptrdiff_t index, std::string text) {
        m_items.at(static_cast<std::size_t>(index)) = std::move(text);
    }
    std::ptrdiff_t Add(std::string text) {
        m_items.push_back(std::move(text));
        return GetCount() - 1;
    }
    void InsertAt(std::ptrdiff_t index, std::string text) {
        m_items.insert(m_items.begin() + index, std::move(text));
    }
    void RemoveAt(std::ptrdiff_t index) { m_items.erase(m_items.begin() + index); }
    void RemoveAll() { m_items.clear(); }

    // Index of the first entry equal to text (case and all), or -1.
    [[nodiscard]] std::ptrdiff_t Find(std::string_view text) const {
        for (std::size_t i = 0; i < m_items.size(); ++i)
            if (m_items[i] == text)
                return static_cast<std::ptrdiff_t>(i);
        return -1;
    }

    [[nodiscard]] const std::vector<std::string>& Items() const { return m_items; }
    [[nodiscard]] auto begin() const { return m_items.begin(); }
    [[nodiscard]] auto end() const { return m_items.end(); }

private:
    std::vector<std::string> m_items;
};
