// CCmdUI: the state a command's update-UI query sets on its menu item or toolbar button.
#pragma once

#include <optional>
#include <string>

// A plain record of what the handler asked for; the GUI applies it to its QAction. Each field
// stays unset until a handler sets it, so the GUI keeps its own default for untouched ones.
class CCmdUI {
public:
    explicit CCmdUI(unsigned id) : m_nID(id) {}
    virtual ~CCmdUI() = default;

    virtual void Enable(bool on = true) { m_enabled = on; }
    // 0 unchecked, 1 checked, 2 indeterminate.
    virtual void SetCheck(int check = 1) { m_check = check; }
    virtual void SetText(const std::string& text) { m_text = text; }

    [[nodiscard]] unsigned GetID() const { return m_nID; }
    [[nodiscard]] std::optional<bool> GetEnabled() const { return m_enabled; }
    [[nodiscard]] std::optional<int> GetCheck() const { return m_check; }
    [[nodiscard]] const std::optional<std::string>& GetText() const { return m_text; }

private:
    unsigned m_nID;
    std::optional<bool> m_enabled;
    std::optional<int> m_check;
    std::optional<std::string> m_text;
};
