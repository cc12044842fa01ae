#include "framework/Archive.h"

#include <bit>
#include <cstring>

namespace {
constexpr std::size_t kBufferSize = 64 * 1024;
constexpr std::uint32_t kMaxNumber = 0x7FFFFFFE;

static_assert(std::endian::native == std::endian::little || std::endian::native == std::endian::big,
              "mixed-endian hosts are not supported");
constexpr bool kLittleEndian = std::endian::native == std::endian::little;

[[maybe_unused]] std::uint16_t Swap(std::uint16_t v) {
    return static_cast<std::uint16_t>((v >> 8) | (v << 8));
}
[[maybe_unused]] std::uint32_t Swap(std::uint32_t v) {
    return (v >> 24) | ((v >> 8) & 0xFF00u) | ((v << 8) & 0xFF0000u) | (v << 24);
}
[[maybe_unused]] std::uint64_t Swap(std::uint64_t v) {
    return (std::uint64_t{Swap(static_cast<std::uint32_t>(v))} << 32) |
           Swap(static_cast<std::uint32_t>(v >> 32));
}

template <class T>
T ToLittle(T v) {
    if constexpr (kLittleEndian)
        return v;
    else
        return Swap(v);
}
} // namespace

CArchive::CArchive(CArchiveInput& input, std::string fileName, std::string_view codePage)
    : m_mode(load), m_pInput(&input), m_strFileName(std::move(fileName)), m_codePage(codePage),
      m_buffer(kBufferSize) {
    m_loadMap.push_back({nullptr, nullptr}); // number 0 is the null reference
}

CArchive::CArchive(CArchiveOutput& output, std::string fileName, std::string_view codePage)
    : m_mode(store), m_pOutput(&output), m_strFileName(std::move(fileName)), m_codePage(codePage),
      m_buffer(kBufferSize) {}

CArchive::~CArchive() = default;

void CArchive::Fail(CArchiveException::Cause cause) const {
    throw CArchiveException(cause, m_strFileName);
}

void CArchive::RequireStoring() const {
    if (!IsStoring())
        Fail(CArchiveException::readOnly);
}

void CArchive::RequireLoading() const {
    if (!IsLoading())
        Fail(CArchiveException::writeOnly);
}

void CArchive::Flush() {
    RequireStoring();
    if (m_nBufPos) {
        m_pOutput->Write(m_buffer.data(), m_nBufPos);
        m_nBufPos = 0;
    }
}

void CArchive::WriteRaw(const void* data, std::size_t size) {
    RequireStoring();
    if (size == 0)
        return; // an empty block may come with a null pointer, which memcpy must not get
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    if (size <= m_buffer.size() - m_nBufPos) {
        std::memcpy(m_buffer.data() + m_nBufPos, bytes, size);
        m_nBufPos += size;
        return;
    }
    Flush();
    if (size >= m_buffer.size()) {
        m_pOutput->Write(bytes, size);
        return;
    }
    std::memcpy(m_buffer.data(), bytes, size);
    m_nBufPos = size;
}

std::uint64_t CArchive::RemainingBytes() const {
    RequireLoading();
    return (m_nBufEnd - m_nBufPos) + m_pInput->Remaining();
}

void CArchive::RequireBytes(std::uint64_t count) const {
    if (count > RemainingBytes())
        Fail(CArchiveException::endOfFile);
}

void CArchive::FillBuffer(std::size_t count) {
    if (m_nBufEnd - m_nBufPos >= count)
        return;
    const std::size_t kept = m_nBufEnd - m_nBufPos;
    std::memmove(m_buffer.data(), m_buffer.data() + m_nBufPos, kept);
    m_nBufPos = 0;
    m_nBufEnd = kept;
    while (m_nBufEnd < count) {
        const std::size_t got =
            m_pInput->Read(m_buffer.data() + m_nBufEnd, m_buffer.size() - m_nBufEnd);
        if (got == 0)
            Fail(CArchiveException::endOfFile);
        m_nBufEnd += got;
    }
}

void CArchive::ReadRaw(void* data, std::size_t size) {
    RequireLoading();
    if (size == 0)
        return; // an empty block may come with a null pointer, which memcpy must not get
    auto* out = static_cast<std::uint8_t*>(data);
    if (size <= m_buffer.size()) {
        FillBuffer(size);
        std::memcpy(out, m_buffer.data() + m_nBufPos, size);
        m_nBufPos += size;
        return;
    }
    // Large blocks bypass the buffer once it is drained.
    RequireBytes(size);
    const std::size_t buffered = m_nBufEnd - m_nBufPos;
    std::memcpy(out, m_buffer.data() + m_nBufPos, buffered);
    m_nBufPos = m_nBufEnd = 0;
    std::size_t done = buffered;
    while (done < size) {
        const std::size_t got = m_pInput->Read(out + done, size - done);
        if (got == 0)
            Fail(CArchiveException::endOfFile);
        done += got;
    }
}

void CArchive::WriteU16(std::uint16_t v) {
    v = ToLittle(v);
    WriteRaw(&v, sizeof v);
}

void CArchive::WriteU32(std::uint32_t v) {
    v = ToLittle(v);
    WriteRaw(&v, sizeof v);
}

void CArchive::WriteF32(float v) {
    WriteU32(std::bit_cast<std::uint32_t>(v));
}

void CArchive::WriteF64(double v) {
    auto bits = ToLittle(std::bit_cast<std::uint64_t>(v));
    WriteRaw(&bits, sizeof bits);
}

std::uint8_t CArchive::ReadU8() {
    std::uint8_t v;
    ReadRaw(&v, 1);
    return v;
}

std::uint16_t CArchive::ReadU16() {
    std::uint16_t v;
    ReadRaw(&v, sizeof v);
    return ToLittle(v);
}

std::uint32_t CArchive::ReadU32() {
    std::uint32_t v;
    ReadRaw(&v, sizeof v);
    return ToLittle(v);
}

float CArchive::ReadF32() {
    return std::bit_cast<float>(ReadU32());
}

double CArchive::ReadF64() {
    std::uint64_t bits;
    ReadRaw(&bits, sizeof bits);
    return std::bit_cast<double>(ToLittle(bits));
}

void CArchive::WriteCount(std::uint32_t count) {
    if (count < 0xFFFF) {
        WriteU16(static_cast<std::uint16_t>(count));
        return;
    }
    WriteU16(0xFFFF);
    WriteU32(count);
}

std::uint32_t CArchive::ReadCount() {
    const std::uint16_t small = ReadU16();
    return small != 0xFFFF ? small : ReadU32();
}

void CArchive::WriteString(std::string_view utf8) {
    const std::string text = m_codePage.FromUtf8(utf8);
    const std::size_t length = text.size();
    if (length < 0xFF) {
        WriteU8(static_cast<std::uint8_t>(length));
    } else if (length < 0xFFFE) {
        WriteU8(0xFF);
        WriteU16(static_cast<std::uint16_t>(length));
    } else {
        if (length > 0xFFFFFFFEu)
            Fail(CArchiveException::genericException);
        WriteU8(0xFF);
        WriteU16(0xFFFF);
        WriteU32(static_cast<std::uint32_t>(length));
    }
    WriteRaw(text.data(), length);
}

std::string CArchive::ReadString() {
    std::uint32_t length = ReadU8();
    if (length == 0xFF) {
        length = ReadU16();
        if (length == 0xFFFF)
            length = ReadU32();
    }
    RequireBytes(length);
    std::string text(length, '\0');
    ReadRaw(text.data(), length);
    return m_codePage.ToUtf8(text);
}

void CArchive::WriteByteBlock(std::span<const std::uint8_t> bytes) {
    WriteCount(static_cast<std::uint32_t>(bytes.size()));
    WriteRaw(bytes.data(), bytes.size());
}

std::vector<std::uint8_t> CArchive::ReadByteBlock() {
    const std::uint32_t count = ReadCount();
    RequireBytes(count);
    std::vector<std::uint8_t> bytes(count);
    ReadRaw(bytes.data(), count);
    return bytes;
}

void CArchive::WriteWordArray(std::span<const std::uint16_t> words) {
    WriteCount(static_cast<std::uint32_t>(words.size()));
    if constexpr (kLittleEndian) {
        WriteRaw(words.data(), words.size_bytes());
    } else {
        for (std::uint16_t w : words)
            WriteU16(w);
    }
}

void CArchive::ReadWordArray(std::vector<std::uint16_t>& words) {
    const std::uint32_t count = ReadCount();
    RequireBytes(std::uint64_t{count} * 2);
    words.resize(count);
    ReadRaw(words.data(), std::size_t{count} * 2);
    if constexpr (!kLittleEndian)
        for (std::uint16_t& w : words)
            w = Swap(w);
}

// --- Objects ---

void CArchive::WriteClassTag(const CRuntimeClass* cls) {
    if (auto it = m_storedClasses.find(cls); it != m_storedClasses.end()) {
        if (it->second < kBigObjectTag) {
            WriteU16(static_cast<std::uint16_t>(kClassTag | it->second));
        } else {
            WriteU16(kBigObjectTag);
            WriteU32(kBigClassTag | it->second);
        }
        return;
    }
    const std::string_view name = cls->m_lpszClassName;
    WriteU16(kNewClassTag);
    WriteU16(cls->m_wSchema);
    WriteU16(static_cast<std::uint16_t>(name.size()));
    WriteRaw(name.data(), name.size());
    if (m_nNextNumber > kMaxNumber)
        Fail(CArchiveException::genericException);
    m_storedClasses.emplace(cls, m_nNextNumber++);
}

void CArchive::WriteObject(const CObject* object) {
    RequireStoring();
    if (!object) {
        WriteU16(kNullTag);
        return;
    }
    if (auto it = m_storedObjects.find(object); it != m_storedObjects.end()) {
        if (it->second < kBigObjectTag) {
            WriteU16(static_cast<std::uint16_t>(it->second));
        } else {
            WriteU16(kBigObjectTag);
            WriteU32(it->second);
        }
        return;
    }
    WriteClassTag(object->GetRuntimeClass());
    if (m_nNextNumber > kMaxNumber)
        Fail(CArchiveException::genericException);
    m_storedObjects.emplace(object, m_nNextNumber++);
    const_cast<CObject*>(object)->Serialize(*this);
}

CArchive::Tag CArchive::ReadTag() {
    RequireLoading();
    const std::uint16_t tag = ReadU16();
    std::uint32_t number = 0;
    bool isClass = false;
    if (tag == kNewClassTag) {
        const std::uint16_t schema = ReadU16();
        const std::uint16_t nameLength = ReadU16();
        RequireBytes(nameLength);
        std::string name(nameLength, '\0');
        ReadRaw(name.data(), nameLength);
        const CRuntimeClass* cls = CRuntimeClass::FromName(name);
        if (!cls)
            Fail(CArchiveException::badClass);
        if (schema != cls->m_wSchema)
            Fail(CArchiveException::badSchema);
        m_loadMap.push_back({cls, nullptr});
        return {true, cls, nullptr};
    }
    if (tag == kBigObjectTag) {
        const std::uint32_t big = ReadU32();
        isClass = (big & kBigClassTag) != 0;
        number = big & ~kBigClassTag;
    } else if (tag & kClassTag) {
        isClass = true;
        number = tag & ~kClassTag;
    } else {
        number = tag;
    }
    if (number >= m_loadMap.size())
        Fail(CArchiveException::badIndex);
    const LoadEntry& entry = m_loadMap[number];
    if (isClass) {
        if (!entry.cls || entry.object)
            Fail(CArchiveException::badIndex);
        return {true, entry.cls, nullptr};
    }
    if (number != 0 && !entry.object)
        Fail(CArchiveException::badIndex); // a class number used as an object reference
    return {false, nullptr, entry.object};
}

std::unique_ptr<CObject> CArchive::ReadNewObjectOf(const CRuntimeClass* expected) {
    const Tag tag = ReadTag();
    if (!tag.isNew)
        Fail(tag.object ? CArchiveException::badIndex : CArchiveException::badClass);
    if (!tag.cls->IsDerivedFrom(expected))
        Fail(CArchiveException::badClass);
    std::unique_ptr<CObject> object = tag.cls->CreateObject();
    if (!object)
        Fail(CArchiveException::badClass);
    if (m_loadMap.size() > kMaxNumber)
        Fail(CArchiveException::badIndex);
    // Numbered before its fields are read, so that they can refer to it.
    m_loadMap.push_back({nullptr, object.get()});
    object->Serialize(*this);
    return object;
}

CObject* CArchive::ReadReferenceOf(const CRuntimeClass* expected) {
    const Tag tag = ReadTag();
    if (tag.isNew)
        Fail(CArchiveException::badClass);
    if (tag.object && !tag.object->IsKindOf(expected))
        Fail(CArchiveException::badClass);
    return tag.object;
}
