// CColourPicker: a popup palette of named colours with "Default" and "Custom..." choices.
#pragma once

#include <QFrame>

#include <cstdint>
#include <optional>
#include <span>

class QAbstractButton;

// Colours are 0x00BBGGRR references. The palette marks the colour it starts from; picking a
// colour button, "Default" or a colour from "Custom..." (QColorDialog) emits colourPicked and
// closes the popup; Escape or a click outside closes it with dismissed.
class CColourPicker : public QFrame {
    Q_OBJECT
public:
    // The edited colour that stands for "the picker's own default".
    static constexpr std::uint32_t kUseDefault = 0xFF000000u;

    struct NamedColour {
        std::uint32_t colour;
        const char* name; // marked for translation in the context "CColourPicker"
    };
    // The twenty colours of the palette, in the order shown (four rows of five).
    [[nodiscard]] static std::span<const NamedColour> Palette();

    // current: the colour marked, kUseDefault for defaultColour.
    CColourPicker(std::uint32_t current, std::uint32_t defaultColour, QWidget* parent = nullptr);

    // Pops a picker up below anchor and waits for the choice; nullopt when it was dismissed.
    [[nodiscard]] static std::optional<std::uint32_t> Pick(QWidget* anchor, std::uint32_t current,
                                                           std::uint32_t defaultColour = 0);

    [[nodiscard]] static QColor ToQColor(std::uint32_t colour);
    [[nodiscard]] static std::uint32_t FromQColor(const QColor& colour);

Q_SIGNALS:
    void colourPicked(std::uint32_t colour);
    void dismissed();

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void Choose(std::uint32_t colour);
    void OnCustom();

    std::uint32_t m_current;
    bool m_bChosen = false;
    bool m_bInCustom = false;
};
