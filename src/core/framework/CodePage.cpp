#include "framework/CodePage.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <vector>

namespace {
const iconv_t kInvalid = reinterpret_cast<iconv_t>(-1);

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The length of the well-formed UTF-8 sequence at text (1 for a stray or broken byte, so that
// the bytes after it are converted on their own).
std::size_t Utf8SequenceLength(const char* text, std::size_t left) {
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t length = 1;
    if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3;
    else if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    if (length > left)
        return 1;
    for (std::size_t i = 1; i < length; ++i)
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
            return 1;
    return length;
}

// Runs cd over the whole input; an unconvertible or invalid sequence is replaced by '?' and
// skipped by skipLength(position, bytes left) bytes.
template <class Skip>
std::string Convert(iconv_t cd, std::string_view in, Skip skipLength) {
    std::string out;
    out.resize(in.size() * 4 + 16);
    char* inPtr = const_cast<char*>(in.data());
    std::size_t inLeft = in.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    while (inLeft > 0) {
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1))
            break;
        if (errno == E2BIG) {
            const std::size_t used = static_cast<std::size_t>(outPtr - out.data());
            out.resize(out.size() * 2);
            outPtr = out.data() + used;
            outLeft = out.size() - used;
            continue;
        }
        // EILSEQ or EINVAL: one character that cannot be converted.
        if (outLeft == 0) {
            const std::size_t used = static_cast<std::size_t>(outPtr - out.data());
            out.resize(out.size() * 2);
            outPtr = out.data() + used;
            outLeft = out.size() - used;
        }
        *outPtr++ = '?';
        --outLeft;
        const std::size_t skip = std::min(inLeft, skipLength(inPtr, inLeft));
        inPtr += skip;
        inLeft -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    out.resize(static_cast<std::size_t>(outPtr - out.data()));
    return out;
}
} // namespace

struct CCodePage::Converters {
    iconv_t toAnsi = kInvalid;
    iconv_t toUtf8 = kInvalid;
    ~Converters() {
        if (toAnsi != kInvalid)
            iconv_close(toAnsi);
        if (toUtf8 != kInvalid)
            iconv_close(toUtf8);
    }
};

CCodePage::CCodePage(std::string_view name) : m_conv(std::make_unique<Converters>()) {
    m_name = std::string(name);
    m_conv->toAnsi = iconv_open(m_name.c_str(), "UTF-8");
    m_conv->toUtf8 = iconv_open("UTF-8", m_name.c_str());
    if (m_conv->toAnsi == kInvalid || m_conv->toUtf8 == kInvalid) {
        m_conv = std::make_unique<Converters>();
        m_name = std::string(kDefault);
        m_conv->toAnsi = iconv_open(m_name.c_str(), "UTF-8");
        m_conv->toUtf8 = iconv_open("UTF-8", m_name.c_str());
    }
}

CCodePage::CCodePage(unsigned windowsCodePage) : CCodePage(NameOf(windowsCodePage)) {}

CCodePage::~CCodePage() = default;

std::string CCodePage::NameOf(unsigned windowsCodePage) {
    switch (windowsCodePage) {
    case 1252:
        return std::string(kDefault);
    case 10000:
        return "MACINTOSH";
    case 20127:
        return "ASCII";
    case 65001:
        return "UTF-8";
    default:
        return "CP" + std::to_string(windowsCodePage);
    }
}

std::string CCodePage::FromUtf8(std::string_view utf8) {
    if (IsAscii(utf8))
        return std::string(utf8);
    if (m_conv->toAnsi == kInvalid)
        return std::string(utf8.size(), '?');
    return Convert(m_conv->toAnsi, utf8, Utf8SequenceLength);
}

std::string CCodePage::ToUtf8(std::string_view ansi) {
    if (IsAscii(ansi))
        return std::string(ansi);
    if (m_conv->toUtf8 == kInvalid)
        return std::string(ansi.size(), '?');
    return Convert(m_conv->toUtf8, ansi, [](const char*, std::size_t) -> std::size_t { return 1; });
}

std::string CCodePage::Unrepresentable(std::string_view utf8) {
    std::string lost;
    std::vector<std::string_view> seen;
    for (std::size_t at = 0; at < utf8.size();) {
        const std::size_t length = Utf8SequenceLength(utf8.data() + at, utf8.size() - at);
        const std::string_view character = utf8.substr(at, length);
        at += length;
        if (IsAscii(character) || std::find(seen.begin(), seen.end(), character) != seen.end())
            continue;
        seen.push_back(character);
        if (ToUtf8(FromUtf8(character)) != character)
            lost += character;
    }
    return lost;
}
