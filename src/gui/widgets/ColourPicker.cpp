#include "widgets/ColourPicker.h"

#include <QColorDialog>
#include <QEventLoop>
#include <QGridLayout>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>

#include <algorithm>

namespace {
constexpr int kColumns = 5;
constexpr int kButtonSize = 18;

constexpr CColourPicker::NamedColour kPalette[] = {
    {0x000000, QT_TRANSLATE_NOOP("CColourPicker", "Black")},
    {0x808080, QT_TRANSLATE_NOOP("CColourPicker", "Grey")},
    {0xC0C0C0, QT_TRANSLATE_NOOP("CColourPicker", "Silver")},
    {0xFFFFFF, QT_TRANSLATE_NOOP("CColourPicker", "White")},
    {0x000080, QT_TRANSLATE_NOOP("CColourPicker", "Maroon")},
    {0x0000FF, QT_TRANSLATE_NOOP("CColourPicker", "Red")},
    {0x0080FF, QT_TRANSLATE_NOOP("CColourPicker", "Orange")},
    {0x00FFFF, QT_TRANSLATE_NOOP("CColourPicker", "Yellow")},
    {0x008080, QT_TRANSLATE_NOOP("CColourPicker", "Olive")},
    {0x00FF00, QT_TRANSLATE_NOOP("CColourPicker", "Lime")},
    {0x008000, QT_TRANSLATE_NOOP("CColourPicker", "Green")},
    {0x808000, QT_TRANSLATE_NOOP("CColourPicker", "Teal")},
    {0xFFFF00, QT_TRANSLATE_NOOP("CColourPicker", "Aqua")},
    {0xFF8000, QT_TRANSLATE_NOOP("CColourPicker", "Sky Blue")},
    {0xFF0000, QT_TRANSLATE_NOOP("CColourPicker", "Blue")},
    {0x800000, QT_TRANSLATE_NOOP("CColourPicker", "Navy")},
    {0x800080, QT_TRANSLATE_NOOP("CColourPicker", "Purple")},
    {0xFF00FF, QT_TRANSLATE_NOOP("CColourPicker", "Fuchsia")},
    {0xC080FF, QT_TRANSLATE_NOOP("CColourPicker", "Pink")},
    {0x004080, QT_TRANSLATE_NOOP("CColourPicker", "Brown")},
};

QIcon SwatchIcon(const QColor& colour) {
    QPixmap pixmap(kButtonSize - 6, kButtonSize - 6);
    pixmap.fill(colour);
    QPainter painter(&pixmap);
    painter.setPen(Qt::darkGray);
    painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return QIcon(pixmap);
}
} // namespace

std::span<const CColourPicker::NamedColour> CColourPicker::Palette() {
    return kPalette;
}

QColor CColourPicker::ToQColor(std::uint32_t colour) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

std::uint32_t CColourPicker::FromQColor(const QColor& colour) {
    return static_cast<std::uint32_t>(colour.red()) |
           static_cast<std::uint32_t>(colour.green()) << 8 |
           static_cast<std::uint32_t>(colour.blue()) << 16;
}

CColourPicker::CColourPicker(std::uint32_t current, std::uint32_t defaultColour, QWidget* parent)
    : QFrame(parent, Qt::Popup), m_current(current == kUseDefault ? defaultColour : current) {
    setObjectName(QStringLiteral("colourPicker"));
    setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(this);
    grid->setSpacing(2);
    grid->setContentsMargins(4, 4, 4, 4);

    auto* defaultButton = new QPushButton(tr("Default"), this);
    defaultButton->setObjectName(QStringLiteral("defaultColour"));
    connect(defaultButton, &QPushButton::clicked, this,
            [this, defaultColour] { Choose(defaultColour); });
    grid->addWidget(defaultButton, 0, 0, 1, kColumns);

    int index = 0;
    for (const NamedColour& named : kPalette) {
        auto* button = new QToolButton(this);
        button->setObjectName(QStringLiteral("colour%1").arg(index));
        button->setFixedSize(kButtonSize, kButtonSize);
        button->setIcon(SwatchIcon(ToQColor(named.colour)));
        button->setToolTip(tr(named.name));
        button->setAccessibleName(tr(named.name));
        button->setAutoRaise(true);
        button->setCheckable(true);
        button->setChecked(named.colour == m_current);
        const std::uint32_t colour = named.colour;
        connect(button, &QToolButton::clicked, this, [this, colour] { Choose(colour); });
        grid->addWidget(button, 1 + index / kColumns, index % kColumns);
        ++index;
    }

    auto* custom = new QPushButton(tr("Custom..."), this);
    custom->setObjectName(QStringLiteral("customColour"));
    connect(custom, &QPushButton::clicked, this, &CColourPicker::OnCustom);
    grid->addWidget(custom, 1 + (index + kColumns - 1) / kColumns, 0, 1, kColumns);
}

void CColourPicker::Choose(std::uint32_t colour) {
    m_bChosen = true;
    Q_EMIT colourPicked(colour);
    close();
}

void CColourPicker::OnCustom() {
    // The popup would close as soon as the colour dialog takes the focus: leave it first.
    QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    m_bInCustom = true;
    hide();
    const QColor colour = QColorDialog::getColor(ToQColor(m_current), owner);
    m_bInCustom = false;
    if (colour.isValid())
        Choose(FromQColor(colour));
    else
        Q_EMIT dismissed();
}

void CColourPicker::hideEvent(QHideEvent* event) {
    QFrame::hideEvent(event);
    // Custom... hides the popup while its dialog runs and reports the outcome itself.
    if (!m_bChosen && !m_bInCustom)
        Q_EMIT dismissed();
}

std::optional<std::uint32_t> CColourPicker::Pick(QWidget* anchor, std::uint32_t current,
                                                 std::uint32_t defaultColour) {
    CColourPicker picker(current, defaultColour, anchor);
    std::optional<std::uint32_t> chosen;
    QEventLoop loop;
    connect(&picker, &CColourPicker::colourPicked, &loop, [&](std::uint32_t colour) {
        chosen = colour;
        loop.quit();
    });
    connect(&picker, &CColourPicker::dismissed, &loop, &QEventLoop::quit);
    picker.adjustSize();
    QPoint at = anchor ? anchor->mapToGlobal(QPoint(0, anchor->height())) : QPoint();
    if (const QScreen* screen = anchor ? anchor->screen() : nullptr) {
        const QRect area = screen->availableGeometry();
        at.setX(
            std::clamp(at.x(), area.left(), std::max(area.left(), area.right() - picker.width())));
        if (at.y() + picker.height() > area.bottom() && anchor)
            at.setY(anchor->mapToGlobal(QPoint(0, 0)).y() - picker.height());
    }
    picker.move(at);
    picker.show();
    loop.exec();
    return chosen;
}
