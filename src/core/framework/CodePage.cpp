#include "framework/CodePage.h"

#include <algorithm>
#include <vector>

#ifdef _WIN32
#include <array>
#include <cctype>
#include <charconv>
#include <windows.h>
#else
#include <cerrno>
#include <iconv.h>
#endif

namespace {
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
} // namespace

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

#ifndef _WIN32
namespace {
const iconv_t kInvalid = reinterpret_cast<iconv_t>(-1);

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

#else
namespace {
constexpr char kUnknown = '?';

// A code page name as CCodePage(name) takes it, as a Windows code page number: "ANSI" (the
// default here) is the system's ANSI code page; 0 for a name that is not one.
unsigned NumberOf(std::string_view name) {
    std::string upper(name);
    std::transform(upper.begin(), upper.end(), upper.begin(), [](char c) {
        return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    });
    const auto numberAfter = [&](std::string_view prefix) -> unsigned {
        if (!std::string_view(upper).starts_with(prefix))
            return 0;
        unsigned number = 0;
        const char* end = upper.data() + upper.size();
        const auto [ptr, ec] = std::from_chars(upper.data() + prefix.size(), end, number);
        return ec == std::errc() && ptr == end ? number : 0;
    };
    if (upper == CCodePage::kDefault)
        return GetACP();
    if (upper == "MACINTOSH")
        return 10000;
    if (upper == "ASCII")
        return 20127;
    if (upper == "UTF-8")
        return CP_UTF8;
    if (const unsigned part = numberAfter("ISO-8859-"))
        return part <= 9 ? 28590 + part : part == 13 ? 28603 : part == 15 ? 28605 : 0;
    if (const unsigned number = numberAfter("WINDOWS-"))
        return number;
    return numberAfter("CP");
}

// UTF-8 → UTF-16; a byte that starts no well-formed sequence becomes '?'.
std::wstring Utf8ToWide(std::string_view utf8) {
    std::string checked;
    checked.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        const std::size_t length = Utf8SequenceLength(utf8.data() + at, utf8.size() - at);
        const auto lead = static_cast<unsigned char>(utf8[at]);
        if (length == 1 && lead >= 0x80)
            checked += kUnknown;
        else
            checked.append(utf8.substr(at, length));
        at += length;
    }
    const int size = static_cast<int>(checked.size());
    std::wstring wide(checked.size(), L'\0');
    wide.resize(static_cast<std::size_t>(
        MultiByteToWideChar(CP_UTF8, 0, checked.data(), size, wide.data(), size)));
    return wide;
}

std::string WideToUtf8(std::wstring_view wide) {
    const int size = static_cast<int>(wide.size());
    std::string utf8(wide.size() * 3, '\0');
    utf8.resize(static_cast<std::size_t>(
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(),
                            static_cast<int>(utf8.size()), nullptr, nullptr)));
    return utf8;
}

// Windows' single-byte tables give a byte they leave undefined a C1 control or a private-use
// character of the same position; those read as undefined here, as they do elsewhere.
bool IsUndefinedByteValue(wchar_t c) {
    return (c >= 0x80 && c <= 0x9F) || (c >= 0xE000 && c <= 0xF8FF) || c == 0xFFFD;
}
} // namespace

struct CCodePage::Converters {
    UINT codePage = CP_ACP;
    // Single-byte code pages: each byte's character, 0 where the byte is undefined.
    bool singleByte = false;
    std::array<wchar_t, 256> byteValue{};
};

CCodePage::CCodePage(std::string_view name) : m_conv(std::make_unique<Converters>()) {
    unsigned number = NumberOf(name);
    CPINFO info{};
    if (number == 0 || !IsValidCodePage(number) || !GetCPInfo(number, &info)) {
        number = GetACP();
        GetCPInfo(number, &info);
    }
    m_conv->codePage = number;
    m_name = NameOf(number);
    m_conv->singleByte = info.MaxCharSize == 1;
    if (!m_conv->singleByte)
        return;
    for (unsigned byte = 0; byte < 256; ++byte) {
        const char in = static_cast<char>(byte);
        wchar_t out = 0;
        if (MultiByteToWideChar(number, MB_ERR_INVALID_CHARS, &in, 1, &out, 1) == 1 &&
            (byte < 0x80 || !IsUndefinedByteValue(out)))
            m_conv->byteValue[byte] = out;
    }
}

CCodePage::CCodePage(unsigned windowsCodePage) : CCodePage(NameOf(windowsCodePage)) {}

std::string CCodePage::FromUtf8(std::string_view utf8) {
    if (IsAscii(utf8))
        return std::string(utf8);
    const std::wstring wide = Utf8ToWide(utf8);
    const int size = static_cast<int>(wide.size());
    std::string out(wide.size() * 4, '\0');
    const int capacity = static_cast<int>(out.size());
    // No best-fit replacements ('a' for 'ā'): what the code page lacks becomes '?'. Some code
    // pages (UTF-8 among them) take neither flag nor default character.
    const char unknown[] = {kUnknown, '\0'};
    int written = WideCharToMultiByte(m_conv->codePage, WC_NO_BEST_FIT_CHARS, wide.data(), size,
                                      out.data(), capacity, unknown, nullptr);
    if (written == 0 && GetLastError() == ERROR_INVALID_PARAMETER)
        written = WideCharToMultiByte(m_conv->codePage, 0, wide.data(), size, out.data(), capacity,
                                      nullptr, nullptr);
    out.resize(static_cast<std::size_t>(written));
    if (m_conv->singleByte)
        for (char& c : out)
            if (c != '\0' && m_conv->byteValue[static_cast<unsigned char>(c)] == 0)
                c = kUnknown;
    return out;
}

std::string CCodePage::ToUtf8(std::string_view ansi) {
    if (IsAscii(ansi))
        return std::string(ansi);
    std::wstring wide;
    wide.reserve(ansi.size());
    if (m_conv->singleByte) {
        for (char c : ansi) {
            const wchar_t value = m_conv->byteValue[static_cast<unsigned char>(c)];
            wide += value == 0 && c != '\0' ? wchar_t(kUnknown) : value;
        }
        return WideToUtf8(wide);
    }
    // Multi-byte code pages: character by character, so that one bad sequence costs one '?'.
    for (std::size_t at = 0; at < ansi.size();) {
        std::size_t length = 1;
        if (m_conv->codePage == CP_UTF8)
            length = Utf8SequenceLength(ansi.data() + at, ansi.size() - at);
        else if (IsDBCSLeadByteEx(m_conv->codePage, static_cast<BYTE>(ansi[at])) &&
                 at + 1 < ansi.size())
            length = 2;
        wchar_t value[2] = {};
        const int got = MultiByteToWideChar(m_conv->codePage, MB_ERR_INVALID_CHARS,
                                            ansi.data() + at, static_cast<int>(length), value, 2);
        if (got > 0)
            wide.append(value, static_cast<std::size_t>(got));
        else
            wide += wchar_t(kUnknown);
        at += length;
    }
    return WideToUtf8(wide);
}
#endif

CCodePage::~CCodePage() = default;

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
