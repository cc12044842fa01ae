#include "chart/ChartSettingsCodec.h"

#include "chart/ChartPropertyIds.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <span>
#include <string>

namespace chart {
namespace {
constexpr char kMagic[4] = {'K', 'B', 'C', 'S'};

class Writer {
public:
    void Bytes(const void* data, std::size_t size) {
        const auto* bytes = static_cast<const std::uint8_t*>(data);
        m_out.insert(m_out.end(), bytes, bytes + size);
    }
    template <typename T>
    void Number(T value) {
        unsigned char raw[sizeof(T)];
        std::memcpy(raw, &value, sizeof(T));
        if constexpr (std::endian::native == std::endian::big)
            std::reverse(raw, raw + sizeof(T));
        Bytes(raw, sizeof(T));
    }
    void Text(const std::string& text) {
        Number<std::uint32_t>(static_cast<std::uint32_t>(text.size()));
        Bytes(text.data(), text.size());
    }
    std::vector<std::uint8_t> Take() { return std::move(m_out); }

private:
    std::vector<std::uint8_t> m_out;
};

class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> in) : m_in(in) {}
    [[nodiscard]] std::size_t Left() const { return m_in.size() - m_pos; }
    template <typename T>
    [[nodiscard]] bool Number(T& value) {
        if (Left() < sizeof(T))
            return false;
        unsigned char raw[sizeof(T)];
        std::memcpy(raw, m_in.data() + m_pos, sizeof(T));
        if constexpr (std::endian::native == std::endian::big)
            std::reverse(raw, raw + sizeof(T));
        std::memcpy(&value, raw, sizeof(T));
        m_pos += sizeof(T);
        return true;
    }
    [[nodiscard]] bool Text(std::string& text) {
        std::uint32_t size = 0;
        if (!Number(size) || Left() < size)
            return false;
        text.assign(reinterpret_cast<const char*>(m_in.data() + m_pos), size);
        m_pos += size;
        return true;
    }
    // A count of items of itemSize bytes each that the rest of the block can hold.
    [[nodiscard]] bool Count(std::uint32_t& count, std::size_t itemSize) {
        return Number(count) && count <= Left() / itemSize;
    }
    [[nodiscard]] bool Magic() {
        if (Left() < sizeof(kMagic) || std::memcmp(m_in.data(), kMagic, sizeof(kMagic)) != 0)
            return false;
        m_pos += sizeof(kMagic);
        return true;
    }

private:
    std::span<const std::uint8_t> m_in;
    std::size_t m_pos = 0;
};

template <typename T>
void WriteVector(Writer& w, const std::vector<T>& items) {
    w.Number<std::uint32_t>(static_cast<std::uint32_t>(items.size()));
    for (const T& v : items)
        w.Number<T>(v);
}

template <typename T>
bool ReadVector(Reader& r, std::vector<T>& items) {
    std::uint32_t count = 0;
    if (!r.Count(count, sizeof(T)))
        return false;
    items.resize(count);
    for (T& v : items)
        if (!r.Number(v))
            return false;
    return true;
}

bool IsBulk(int id) {
    return id == kXData || id == kYData;
}
} // namespace

std::vector<std::uint8_t> EncodeSettings(const CChartPropertyStore& store) {
    Writer w;
    w.Bytes(kMagic, sizeof(kMagic));
    w.Number<std::uint16_t>(kSettingsVersion);
    std::uint32_t count = 0;
    for (const auto& [id, value] : store.Values())
        count += IsBulk(id) ? 0 : 1;
    w.Number<std::uint32_t>(count);
    for (const auto& [id, value] : store.Values()) {
        if (IsBulk(id))
            continue;
        w.Number<std::int32_t>(id);
        w.Number<std::uint8_t>(static_cast<std::uint8_t>(CChartPropertyStore::KindOfValue(value)));
        std::visit(
            [&w](const auto& v) {
                using T = std::decay_t<decltype(v)>;
                if constexpr (std::is_same_v<T, std::int32_t>)
                    w.Number<std::int32_t>(v);
                else if constexpr (std::is_same_v<T, std::string>)
                    w.Text(v);
                else if constexpr (std::is_same_v<T, std::vector<std::string>>) {
                    w.Number<std::uint32_t>(static_cast<std::uint32_t>(v.size()));
                    for (const std::string& s : v)
                        w.Text(s);
                } else
                    WriteVector(w, v);
            },
            value);
    }
    return w.Take();
}

std::optional<std::map<int, CChartPropertyStore::Value>>
DecodeSettings(std::span<const std::uint8_t> block) {
    Reader r(block);
    std::uint16_t version = 0;
    std::uint32_t count = 0;
    // The smallest property takes 9 bytes (id, kind, one int).
    if (!r.Magic() || !r.Number(version) || version != kSettingsVersion || !r.Count(count, 9))
        return std::nullopt;
    std::map<int, CChartPropertyStore::Value> values;
    for (std::uint32_t n = 0; n < count; ++n) {
        std::int32_t id = 0;
        std::uint8_t kindByte = 0;
        if (!r.Number(id) || !r.Number(kindByte) || IsBulk(id) || values.count(id) != 0)
            return std::nullopt;
        if (kindByte < 1 || kindByte > 6)
            return std::nullopt;
        auto kind = static_cast<PropertyKind>(kindByte);
        if (CChartPropertyStore::KindOf(id, kind) != kind)
            return std::nullopt;
        CChartPropertyStore::Value value;
        bool ok = false;
        switch (kind) {
        case PropertyKind::Int: {
            std::int32_t v = 0;
            ok = r.Number(v);
            value = std::int32_t{v};
            break;
        }
        case PropertyKind::Text: {
            std::string s;
            ok = r.Text(s);
            value = std::move(s);
            break;
        }
        case PropertyKind::Doubles: {
            std::vector<double> v;
            ok = ReadVector(r, v);
            value = std::move(v);
            break;
        }
        case PropertyKind::Floats: {
            std::vector<float> v;
            ok = ReadVector(r, v);
            value = std::move(v);
            break;
        }
        case PropertyKind::Ints: {
            std::vector<std::int32_t> v;
            ok = ReadVector(r, v);
            value = std::move(v);
            break;
        }
        case PropertyKind::Texts: {
            std::uint32_t items = 0;
            std::vector<std::string> v;
            ok = r.Count(items, 4);
            for (std::uint32_t i = 0; ok && i < items; ++i) {
                std::string s;
                ok = r.Text(s);
                v.push_back(std::move(s));
            }
            value = std::move(v);
            break;
        }
        }
        if (!ok)
            return std::nullopt;
        values.emplace(id, std::move(value));
    }
    if (r.Left() != 0)
        return std::nullopt;
    return values;
}
} // namespace chart
