#include "text/PageMargins.h"

#include "framework/Registry.h"

#include <array>
#include <cstdint>
#include <limits>

namespace {
constexpr std::string_view kValueName = "PageMargins";
constexpr int kTwipsPerInch = 1440;
constexpr int kHmmPerInch = 2540;
constexpr std::size_t kValueSize = 16;
} // namespace

int MulDiv(int value, int numerator, int denominator) {
    if (denominator == 0)
        return 0;
    const std::int64_t product = static_cast<std::int64_t>(value) * numerator;
    std::int64_t d = denominator;
    std::int64_t p = product;
    if (d < 0) {
        d = -d;
        p = -p;
    }
    const std::int64_t half = d / 2;
    const std::int64_t rounded = p >= 0 ? (p + half) / d : -((-p + half) / d);
    if (rounded > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (rounded < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return static_cast<int>(rounded);
}

int RoundToTenHmm(int hundredthsMm) {
    const std::int64_t v = hundredthsMm;
    const std::int64_t remainder = v % 10;
    std::int64_t rounded = v - remainder;
    if (remainder >= 5)
        rounded += 10;
    else if (remainder <= -5)
        rounded -= 10;
    if (rounded > std::numeric_limits<int>::max())
        rounded -= 10;
    if (rounded < std::numeric_limits<int>::min())
        rounded += 10;
    return static_cast<int>(rounded);
}

int MarginTwipsToHmm(int twips) {
    return RoundToTenHmm(MulDiv(twips, kHmmPerInch, kTwipsPerInch));
}

int MarginHmmToTwips(int hundredthsMm) {
    return MulDiv(RoundToTenHmm(hundredthsMm), kTwipsPerInch, kHmmPerInch);
}

void LoadPageMargins(PageMargins& margins, RegistryStore& store) {
    const std::unique_ptr<RegistryKey> key =
        OpenRegKeyPath(kRichEditorKeyPath, store, RegRoot::CurrentUser);
    std::array<std::uint8_t, kValueSize> bytes{};
    std::size_t size = 0;
    if (!ReadRegBinary(key.get(), kValueName, bytes.data(), bytes.size(), &size) ||
        size != kValueSize)
        return;
    auto at = [&bytes](std::size_t i) {
        const std::uint32_t u = static_cast<std::uint32_t>(bytes[i]) |
                                static_cast<std::uint32_t>(bytes[i + 1]) << 8 |
                                static_cast<std::uint32_t>(bytes[i + 2]) << 16 |
                                static_cast<std::uint32_t>(bytes[i + 3]) << 24;
        return static_cast<int>(static_cast<std::int32_t>(u));
    };
    margins = {at(0), at(4), at(8), at(12)};
}

bool SavePageMargins(const PageMargins& margins, RegistryStore& store) {
    const std::unique_ptr<RegistryKey> key =
        OpenRegKeyPath(kRichEditorKeyPath, store, RegRoot::CurrentUser);
    std::array<std::uint8_t, kValueSize> bytes{};
    const int values[] = {margins.left, margins.top, margins.right, margins.bottom};
    for (std::size_t i = 0; i < 4; ++i) {
        const auto u = static_cast<std::uint32_t>(values[i]);
        for (std::size_t b = 0; b < 4; ++b)
            bytes[i * 4 + b] = static_cast<std::uint8_t>(u >> (8 * b));
    }
    return WriteRegBinary(key.get(), kValueName, bytes.data(), bytes.size());
}
