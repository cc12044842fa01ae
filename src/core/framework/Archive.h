// CArchive: the little-endian object archive that project files are written in and read from.
#pragma once

#include "framework/ArchiveException.h"
#include "framework/ArchiveStream.h"
#include "framework/CodePage.h"
#include "framework/ObListEx.h"
#include "framework/Object.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class CDocument;

// One archive works in one direction over one stream. Primitives are little-endian; texts are
// UTF-8 in memory and the code page's 8-bit characters in the stream. Objects share one
// numbering per archive, counted from 1 in order of first appearance (classes when their class
// record is written, objects when their tag is). Every failure to read throws
// CArchiveException (format) or CFileException (I/O); a count or length is checked against the
// bytes left before anything is allocated for it.
class CArchive {
public:
    enum Mode { load, store };

    // Object tags.
    static constexpr std::uint16_t kNullTag = 0x0000;
    static constexpr std::uint16_t kNewClassTag = 0xFFFF;
    static constexpr std::uint16_t kClassTag = 0x8000;
    static constexpr std::uint16_t kBigObjectTag = 0x7FFF;
    static constexpr std::uint32_t kBigClassTag = 0x80000000u;

    // Loading. fileName is only used in error reports.
    CArchive(CArchiveInput& input, std::string fileName = {},
             std::string_view codePage = CCodePage::kDefault);
    // Storing. Written bytes are buffered: call Flush before the output is committed.
    CArchive(CArchiveOutput& output, std::string fileName = {},
             std::string_view codePage = CCodePage::kDefault);
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    [[nodiscard]] bool IsLoading() const { return m_mode == load; }
    [[nodiscard]] bool IsStoring() const { return m_mode == store; }
    [[nodiscard]] const std::string& GetFileName() const { return m_strFileName; }

    // The file version read (or written) first; nested readers consult it.
    [[nodiscard]] std::uint16_t GetFileVersion() const { return m_nFileVersion; }
    void SetFileVersion(std::uint16_t version) { m_nFileVersion = version; }
    // The document being loaded or saved; not owned, may be null.
    [[nodiscard]] CDocument* GetDocument() const { return m_pDocument; }
    void SetDocument(CDocument* doc) { m_pDocument = doc; }

    // Writes the buffered bytes to the output (storing only).
    void Flush();

    // The input bytes not yet consumed (loading only).
    [[nodiscard]] std::uint64_t RemainingBytes() const;
    // Throws endOfFile unless at least count more bytes can be read.
    void RequireBytes(std::uint64_t count) const;

    // --- Primitives ---
    void WriteU8(std::uint8_t v) { WriteRaw(&v, 1); }
    void WriteU16(std::uint16_t v);
    void WriteU32(std::uint32_t v);
    void WriteI32(std::int32_t v) { WriteU32(static_cast<std::uint32_t>(v)); }
    void WriteF32(float v);
    void WriteF64(double v);
    void WriteBool32(bool v) { WriteU32(v ? 1u : 0u); }
    [[nodiscard]] std::uint8_t ReadU8();
    [[nodiscard]] std::uint16_t ReadU16();
    [[nodiscard]] std::uint32_t ReadU32();
    [[nodiscard]] std::int32_t ReadI32() { return static_cast<std::int32_t>(ReadU32()); }
    [[nodiscard]] float ReadF32();
    [[nodiscard]] double ReadF64();
    // Any nonzero value is true.
    [[nodiscard]] bool ReadBool32() { return ReadU32() != 0; }

    void WriteBytes(std::span<const std::uint8_t> bytes) { WriteRaw(bytes.data(), bytes.size()); }
    // Reads exactly out.size() bytes.
    void ReadBytes(std::span<std::uint8_t> out) { ReadRaw(out.data(), out.size()); }

    // Count: u16 below 0xFFFF, else u16 0xFFFF then u32.
    void WriteCount(std::uint32_t count);
    [[nodiscard]] std::uint32_t ReadCount();

    // Text: converted to the code page, then its length (one byte below 255; 0xFF + u16 up to
    // 65533; 0xFF, u16 0xFFFF, u32 beyond) and the characters.
    void WriteString(std::string_view utf8);
    [[nodiscard]] std::string ReadString();

    // Byte block and word array: count, then the elements.
    void WriteByteBlock(std::span<const std::uint8_t> bytes);
    [[nodiscard]] std::vector<std::uint8_t> ReadByteBlock();
    void WriteWordArray(std::span<const std::uint16_t> words);
    void ReadWordArray(std::vector<std::uint16_t>& words);

    // --- Objects ---
    // Null → tag 0; an object already in the archive → its reference; otherwise its class
    // (record or number), its number, then its Serialize.
    void WriteObject(const CObject* object);

    // Reads a tag that must introduce a new object of class T (or derived): creates it,
    // numbers it and lets it load its fields. Null, references (a record that would appear
    // twice in the tree) and other classes are refused before anything is read for them.
    template <class T>
    [[nodiscard]] std::unique_ptr<T> ReadNewObject() {
        std::unique_ptr<CObject> object = ReadNewObjectOf(T::GetThisClass());
        return std::unique_ptr<T>(static_cast<T*>(object.release()));
    }
    // Reads a tag that must be null or refer to an object already read, of class T (or
    // derived). New objects are refused: they would have no owner.
    template <class T>
    [[nodiscard]] T* ReadReference() {
        return static_cast<T*>(ReadReferenceOf(T::GetThisClass()));
    }

    // Object list: count, then each object. Loading appends the objects through adopt, which
    // takes ownership (e.g. a session's AppendFlight).
    template <class T>
    void WriteList(const CObListEx<T>& list) {
        WriteCount(static_cast<std::uint32_t>(list.GetCount()));
        for (const T* item : list)
            WriteObject(item);
    }
    template <class T, class Adopt>
    void ReadList(Adopt&& adopt) {
        const std::uint32_t count = ReadCount();
        RequireBytes(std::uint64_t{count} * 2); // every object takes at least its tag
        for (std::uint32_t i = 0; i < count; ++i)
            adopt(ReadNewObject<T>());
    }

    [[noreturn]] void Fail(CArchiveException::Cause cause) const;

private:
    void WriteRaw(const void* data, std::size_t size);
    void ReadRaw(void* data, std::size_t size);
    void RequireStoring() const;
    void RequireLoading() const;
    // Ensures count (≤ buffer size) bytes are buffered, or throws endOfFile.
    void FillBuffer(std::size_t count);

    // Reads a tag and what it introduces. isNew tells whether a new object's class was read
    // (cls set) or an existing one referenced (object set, possibly null).
    struct Tag {
        bool isNew = false;
        const CRuntimeClass* cls = nullptr;
        CObject* object = nullptr;
    };
    Tag ReadTag();
    std::unique_ptr<CObject> ReadNewObjectOf(const CRuntimeClass* expected);
    CObject* ReadReferenceOf(const CRuntimeClass* expected);
    void WriteClassTag(const CRuntimeClass* cls);

    Mode m_mode;
    CArchiveInput* m_pInput = nullptr;
    CArchiveOutput* m_pOutput = nullptr;
    std::string m_strFileName;
    CCodePage m_codePage;
    std::uint16_t m_nFileVersion = 0;
    CDocument* m_pDocument = nullptr;

    std::vector<std::uint8_t> m_buffer;
    std::size_t m_nBufPos = 0; // loading: next byte to read; storing: bytes buffered
    std::size_t m_nBufEnd = 0; // loading: end of the buffered bytes

    // Loading: entry n of the numbering (0 unused) is a class or an object, not owned.
    struct LoadEntry {
        const CRuntimeClass* cls;
        CObject* object;
    };
    std::vector<LoadEntry> m_loadMap;
    // Storing: numbers already given.
    std::unordered_map<const CObject*, std::uint32_t> m_storedObjects;
    std::unordered_map<const CRuntimeClass*, std::uint32_t> m_storedClasses;
    std::uint32_t m_nNextNumber = 1;
};
