#include "data/TextExport.h"

#include "data/DataBlock.h"
#include "framework/SafeFile.h"

#include <array>
#include <ostream>
#include <streambuf>

namespace {
// An output stream buffer over a CSafeFile. Under Windows a line feed goes out as CR LF, as a
// stream in text mode writes it. Write failures throw out of overflow and sync; a stream with
// badbit in its exception mask passes them on.
class SafeFileBuffer final : public std::streambuf {
public:
    explicit SafeFileBuffer(CSafeFile& file) : m_file(file) {
        setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
    }

protected:
    int_type overflow(int_type c) override {
        Drain();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }
    int sync() override {
        Drain();
        return 0;
    }

private:
    void Drain() {
        const auto* begin = reinterpret_cast<const std::uint8_t*>(pbase());
        const auto size = static_cast<std::size_t>(pptr() - pbase());
#ifdef _WIN32
        std::size_t from = 0;
        for (std::size_t i = 0; i < size; ++i) {
            if (begin[i] != '\n')
                continue;
            m_file.Write(begin + from, i - from);
            static constexpr std::uint8_t kLineEnd[] = {'\r', '\n'};
            m_file.Write(kLineEnd, 2);
            from = i + 1;
        }
        m_file.Write(begin + from, size - from);
#else
        m_file.Write(begin, size);
#endif
        setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
    }

    CSafeFile& m_file;
    std::array<char, 1 << 16> m_buffer{};
};
} // namespace

void WriteTextExport(std::span<CDataBlock* const> flights, TextExport kind, std::ostream& out) {
    const int total = static_cast<int>(flights.size());
    // A stream that has failed takes nothing more; its caller reports the failure.
    for (int index = 0; index < total && out; ++index)
        flights[static_cast<std::size_t>(index)]->ExportText(out, kind, index, total);
}

void ExportTextToFile(std::span<CDataBlock* const> flights, TextExport kind,
                      const std::string& path) {
    CSafeFile file(path);
    SafeFileBuffer buffer(file);
    std::ostream out(&buffer);
    out.exceptions(std::ios::badbit);
    WriteTextExport(flights, kind, out);
    out.flush();
    file.Commit();
}
