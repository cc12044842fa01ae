// CObListEx: an ordered list of object pointers that can own its elements.
#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <unordered_set>
#include <utility>
#include <vector>

// Order is the list's order (tree order for sessions and flights). When the list owns its
// elements, destroying it or calling DeleteAll() destroys every distinct element exactly once,
// even when the same pointer was added twice; removing an element (RemoveAt, Remove,
// RemoveAll) hands ownership back to the caller. A non-owning list never destroys anything.
// Positions are 0-based indexes; -1 means "not found".
template <class T>
class CObListEx {
public:
    explicit CObListEx(bool owning = false) : m_owning(owning) {}
    CObListEx(const CObListEx&) = delete;
    CObListEx& operator=(const CObListEx&) = delete;
    CObListEx(CObListEx&& other) noexcept
        : m_items(std::exchange(other.m_items, {})), m_owning(other.m_owning) {}
    ~CObListEx() { DeleteAll(); }

    [[nodiscard]] bool IsOwning() const { return m_owning; }
    void SetOwning(bool owning) { m_owning = owning; }

    [[nodiscard]] std::ptrdiff_t GetCount() const {
        return static_cast<std::ptrdiff_t>(m_items.size());
    }
    [[nodiscard]] bool IsEmpty() const { return m_items.empty(); }
    [[nodiscard]] T* GetAt(std::ptrdiff_t index) const { return m_items.at(ToIndex(index)); }
    [[nodiscard]] T* GetHead() const { return m_items.empty() ? nullptr : m_items.front(); }
    [[nodiscard]] T* GetTail() const { return m_items.empty() ? nullptr : m_items.back(); }

    // Index of the first occurrence of item, or -1.
    [[nodiscard]] std::ptrdiff_t Find(const T* item) const {
        auto it = std::find(m_items.begin(), m_items.end(), item);
        return it == m_items.end() ? -1 : it - m_items.begin();
    }
    [[nodiscard]] bool Contains(const T* item) const { return Find(item) >= 0; }

    // The Add/Insert operations take the object; an owning list is then responsible for it.
    void AddHead(T* item) { m_items.insert(m_items.begin(), item); }
    void AddTail(T* item) { m_items.push_back(item); }
    // Inserts after the element at index (index -1 inserts at the head).
    void InsertAfter(std::ptrdiff_t index, T* item) {
        m_items.insert(m_items.begin() + (index < 0 ? 0 : ToIndex(index) + 1), item);
    }
    void AddHead(std::unique_ptr<T> item) { AddHead(item.release()); }
    void AddTail(std::unique_ptr<T> item) { AddTail(item.release()); }

    // Takes the element out of the list; the caller owns it afterwards.
    [[nodiscard]] T* RemoveAt(std::ptrdiff_t index) {
        T* item = m_items.at(ToIndex(index));
        m_items.erase(m_items.begin() + index);
        return item;
    }
    // Takes the first occurrence out; false when the item is not in the list.
    bool Remove(const T* item) {
        std::ptrdiff_t index = Find(item);
        if (index < 0)
            return false;
        m_items.erase(m_items.begin() + index);
        return true;
    }
    // Empties the list without destroying anything.
    void RemoveAll() { m_items.clear(); }
    // Empties the list; an owning list destroys each distinct element once.
    void DeleteAll() {
        std::vector<T*> items = std::exchange(m_items, {});
        if (!m_owning)
            return;
        std::unordered_set<T*> destroyed;
        for (T* item : items)
            if (item && destroyed.insert(item).second)
                delete item;
    }

    [[nodiscard]] auto begin() const { return m_items.begin(); }
    [[nodiscard]] auto end() const { return m_items.end(); }

private:
    static std::size_t ToIndex(std::ptrdiff_t index) { return static_cast<std::size_t>(index); }

    std::vector<T*> m_items;
    bool m_owning;
};
