#include "chart/ChartSettingsCodec.h"

#include "chart/ChartPropertyIds.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string>

namespace chart {
namespace {
constexpr char kMagic[4] = {'K', 'B', 'C', 'S'};

class Writer {
public:
    void Bytes(const void* data, std::size_t size) {
        m_out.append(static_cast<const char*>(data), static_cast<qsizetype>(size));
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
        Number<quint32>(static_cast<quint32>(text.size()));
        Bytes(text.data(), text.size());
    }
    QByteArray Take() { return std::move(m_out); }

private:
    QByteArray m_out;
};

class Reader {
public:
    explicit Reader(const QByteArray& in) : m_in(in) {}
    [[nodiscard]] std::size_t Left() const { return static_cast<std::size_t>(m_in.size()) - m_pos; }
    template <typename T>
    [[nodiscard]] bool Number(T& value) {
        if (Left() < sizeof(T))
            return false;
        unsigned char raw[sizeof(T)];
        std::memcpy(raw, m_in.constData() + m_pos, sizeof(T));
        if constexpr (std::endian::native == std::endian::big)
            std::reverse(raw, raw + sizeof(T));
        std::memcpy(&value, raw, sizeof(T));
        m_pos += sizeof(T);
        return true;
    }
    [[nodiscard]] bool Text(std::string& text) {
        quint32 size = 0;
        if (!Number(size) || Left() < size)
            return false;
        text.assign(m_in.constData() + m_pos, size);
        m_pos += size;
        return true;
    }
    // A count of items of itemSize bytes each that the rest of the block can hold.
    [[nodiscard]] bool Count(quint32& count, std::size_t itemSize) {
        return Number(count) && count <= Left() / itemSize;
    }
    [[nodiscard]] bool Magic() {
        if (Left() < sizeof(kMagic) || std::memcmp(m_in.constData(), kMagic, sizeof(kMagic)) != 0)
            return false;
        m_pos += sizeof(kMagic);
        return true;
    }

private:
    const QByteArray& m_in;
    std::size_t m_pos = 0;
};

template <typename T>
void WriteVector(Writer& w, const std::vector<T>& items) {
    w.Number<quint32>(static_cast<quint32>(items.size()));
    for (const T& v : items)
        w.Number<T>(v);
}

template <typename T>
bool ReadVector(Reader& r, std::vector<T>& items) {
    quint32 count = 0;
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

QByteArray EncodeSettings(const CChartPropertyStore& store) {
    Writer w;
    w.Bytes(kMagic, sizeof(kMagic));
    w.Number<quint16>(kSettingsVersion);
    quint32 count = 0;
    for (const auto& [id, value] : store.Values())
        count += IsBulk(id) ? 0 : 1;
    w.Number<quint32>(count);
    for (const auto& [id, value] : store.Values()) {
        if (IsBulk(id))
            continue;
        w.Number<qint32>(id);
        w.Number<quint8>(static_cast<quint8>(CChartPropertyStore::KindOfValue(value)));
        std::visit(
            [&w](const auto& v) {
                using T = std::decay_t<decltype(v)>;
                if constexpr (std::is_same_v<T, std::int32_t>)
                    w.Number<qint32>(v);
                else if constexpr (std::is_same_v<T, std::string>)
                    w.Text(v);
                else if constexpr (std::is_same_v<T, std::vector<std::string>>) {
                    w.Number<quint32>(static_cast<quint32>(v.size()));
                    for (const std::string& s : v)
                        w.Text(s);
                } else
                    WriteVector(w, v);
            },
            value);
    }
    return w.Take();
}

std::optional<std::map<int, CChartPropertyStore::Value>> DecodeSettings(const QByteArray& block) {
    Reader r(block);
    quint16 version = 0;
    quint32 count = 0;
    // The smallest property takes 9 bytes (id, kind, one int).
    if (!r.Magic() || !r.Number(version) || version != kSettingsVersion || !r.Count(count, 9))
        return std::nullopt;
    std::map<int, CChartPropertyStore::Value> values;
    for (quint32 n = 0; n < count; ++n) {
        qint32 id = 0;
        quint8 kindByte = 0;
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
            qint32 v = 0;
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
            quint32 items = 0;
            std::vector<std::string> v;
            ok = r.Count(items, 4);
            for (quint32 i = 0; ok && i < items; ++i) {
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
