#include "framework/Archive.h"

#include "support/ByteBuilder.h"

#include <gtest/gtest.h>

namespace {
// A small serialisable record: a number and an optional reference to another record.
class CArchiveTestNode : public CObject {
    KUBO_DECLARE_SERIAL(CArchiveTestNode)
public:
    void Serialize(CArchive& ar) override {
        if (ar.IsStoring()) {
            ar.WriteU32(m_value);
            ar.WriteObject(m_link);
        } else {
            m_value = ar.ReadU32();
            m_link = ar.ReadReference<CObject>();
        }
    }
    std::uint32_t m_value = 0;
    CObject* m_link = nullptr;
};

class CArchiveTestLeaf : public CObject {
    KUBO_DECLARE_SERIAL(CArchiveTestLeaf)
};
} // namespace

KUBO_IMPLEMENT_SERIAL(CArchiveTestNode, CObject, 0)
KUBO_IMPLEMENT_SERIAL(CArchiveTestLeaf, CObject, 0)

namespace {
template <class Fn>
std::vector<std::uint8_t> Store(Fn&& write) {
    CMemoryOutput out;
    CArchive ar(out, "test.qlg");
    write(ar);
    ar.Flush();
    return out.Data();
}

CArchiveException::Cause LoadCause(const std::vector<std::uint8_t>& bytes,
                                   const std::function<void(CArchive&)>& read) {
    CMemoryInput in(bytes);
    CArchive ar(in, "bad.qlg");
    try {
        read(ar);
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.GetFileName(), "bad.qlg");
        return static_cast<CArchiveException::Cause>(e.GetCause());
    }
    return CArchiveException::none;
}

void ReadNodeList(CArchive& ar, CObListEx<CArchiveTestNode>& list) {
    ar.ReadList<CArchiveTestNode>(
        [&](std::unique_ptr<CArchiveTestNode> node) { list.AddTail(std::move(node)); });
}
} // namespace

TEST(Archive, CountsAndTextLengthsSwitchFormAtTheirLimits) {
    const auto bytes = Store([](CArchive& ar) {
        ar.WriteCount(0xFFFE);
        ar.WriteCount(0xFFFF);
        ar.WriteString(std::string(254, 'a'));
        ar.WriteString(std::string(255, 'b'));
        ar.WriteString(std::string(65533, 'c'));
        ar.WriteString(std::string(65534, 'd'));
    });
    ByteBuilder expected;
    expected.u16(0xFFFE).u16(0xFFFF).u32(0xFFFF);
    expected.u8(254).chars(std::string(254, 'a'));
    expected.u8(0xFF).u16(255).chars(std::string(255, 'b'));
    expected.u8(0xFF).u16(65533).chars(std::string(65533, 'c'));
    expected.u8(0xFF).u16(0xFFFF).u32(65534).chars(std::string(65534, 'd'));
    ASSERT_EQ(bytes, expected.bytes());

    CMemoryInput in(bytes);
    CArchive ar(in);
    EXPECT_EQ(ar.ReadCount(), 0xFFFEu);
    EXPECT_EQ(ar.ReadCount(), 0xFFFFu);
    EXPECT_EQ(ar.ReadString().size(), 254u);
    EXPECT_EQ(ar.ReadString(), std::string(255, 'b'));
    EXPECT_EQ(ar.ReadString().size(), 65533u);
    EXPECT_EQ(ar.ReadString(), std::string(65534, 'd'));
    EXPECT_EQ(ar.RemainingBytes(), 0u);
}

TEST(Archive, TextIsStoredInTheAnsiCodePage) {
    const auto bytes = Store([](CArchive& ar) {
        ar.WriteString("caf\xC3\xA9 \xE2\x82\xAC"); // "café €"
        ar.WriteString("\xE6\xBC\xA2x");            // a character Windows-1252 cannot hold
        ar.WriteString("a\xC3(b");                  // broken UTF-8 keeps the following bytes
    });
    ByteBuilder expected;
    expected.u8(6).chars("caf\xE9 \x80").u8(2).chars("?x").u8(4).chars("a?(b");
    ASSERT_EQ(bytes, expected.bytes());

    ByteBuilder undefinedByte;
    undefinedByte.u8(3).chars("\xE9\x81z");
    CMemoryInput in(undefinedByte.bytes());
    CArchive ar(in);
    EXPECT_EQ(ar.ReadString(), "\xC3\xA9?z");

    CMemoryOutput out;
    CArchive central(out, {}, "CP1250");
    central.WriteString("\xC5\xA1"); // š
    central.Flush();
    EXPECT_EQ(out.Data(), (std::vector<std::uint8_t>{1, 0x9A}));
}

TEST(Archive, ObjectsShareOneNumberingWithTheirClasses) {
    CArchiveTestNode first, second;
    CArchiveTestLeaf leaf;
    first.m_value = 7;
    second.m_value = 8;
    second.m_link = &first; // back-reference to object 2
    const auto bytes = Store([&](CArchive& ar) {
        ar.WriteObject(&first);
        ar.WriteObject(&leaf);
        ar.WriteObject(&second);
        ar.WriteObject(&second);
        ar.WriteObject(nullptr);
    });
    ByteBuilder expected;
    expected.newClass("CArchiveTestNode").u32(7).u16(0); // class 1, object 2
    expected.newClass("CArchiveTestLeaf");               // class 3, object 4
    expected.u16(0x8001).u32(8).u16(2);                  // object 5, linking back to 2
    expected.u16(5).u16(0);                              // reference, null
    ASSERT_EQ(bytes, expected.bytes());

    CMemoryInput in(bytes);
    CArchive ar(in);
    auto firstRead = ar.ReadNewObject<CArchiveTestNode>();
    auto leafRead = ar.ReadNewObject<CArchiveTestLeaf>();
    auto secondRead = ar.ReadNewObject<CArchiveTestNode>();
    EXPECT_EQ(secondRead->m_link, firstRead.get());
    EXPECT_EQ(secondRead->m_value, 8u);
    EXPECT_EQ(ar.ReadReference<CArchiveTestNode>(), secondRead.get());
    EXPECT_EQ(ar.ReadReference<CObject>(), nullptr);
    // A reference cannot stand where a new record is needed.
    EXPECT_EQ(ar.RemainingBytes(), 0u);
}

TEST(Archive, NumbersFromTheLargeIndexOnUseTheBigTag) {
    // 0x7FFF + 1 objects push the next class and the last references past the small tags.
    CObListEx<CArchiveTestLeaf> leaves(true);
    for (int i = 0; i < 0x7FFF; ++i)
        leaves.AddTail(std::make_unique<CArchiveTestLeaf>());
    CArchiveTestNode late, later;
    const auto bytes = Store([&](CArchive& ar) {
        ar.WriteList(leaves);
        ar.WriteObject(&late);            // class 0x8001, object 0x8002
        ar.WriteObject(&later);           // class 0x8001 again: big class tag
        ar.WriteObject(leaves.GetTail()); // object 0x8000
        ar.WriteObject(&late);            // object 0x8002
    });
    const std::size_t head = 2 + 2 + 2 + 2 + 16 + 0x7FFE * 2;
    ByteBuilder tail;
    tail.newClass("CArchiveTestNode").u32(0).u16(0);
    tail.u16(0x7FFF).u32(0x80008001u).u32(0).u16(0);
    tail.u16(0x7FFF).u32(0x8000).u16(0x7FFF).u32(0x8002);
    ASSERT_EQ(bytes.size(), head + tail.size());
    EXPECT_TRUE(std::equal(tail.bytes().begin(), tail.bytes().end(), bytes.begin() + head));

    CMemoryInput in(bytes);
    CArchive ar(in);
    CObListEx<CArchiveTestLeaf> read(true);
    ar.ReadList<CArchiveTestLeaf>([&](auto leaf) { read.AddTail(std::move(leaf)); });
    auto lateRead = ar.ReadNewObject<CArchiveTestNode>();
    auto laterRead = ar.ReadNewObject<CArchiveTestNode>();
    EXPECT_EQ(ar.ReadReference<CArchiveTestLeaf>(), read.GetTail());
    EXPECT_EQ(ar.ReadReference<CArchiveTestNode>(), lateRead.get());
}

TEST(Archive, WordArraysAndByteBlocksRoundTrip) {
    std::vector<std::uint16_t> words(70000);
    for (std::size_t i = 0; i < words.size(); ++i)
        words[i] = static_cast<std::uint16_t>(i * 7919);
    const std::vector<std::uint8_t> block{1, 2, 3};
    const auto bytes = Store([&](CArchive& ar) {
        ar.WriteWordArray(words);
        ar.WriteByteBlock(block);
        ar.WriteF32(-1.5f);
        ar.WriteF64(0.1);
    });
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[2], 70000 & 0xFF);
    EXPECT_EQ(bytes[6], words[0] & 0xFF);
    EXPECT_EQ(bytes[8], words[1] & 0xFF);

    CMemoryInput in(bytes);
    CArchive ar(in);
    std::vector<std::uint16_t> back;
    ar.ReadWordArray(back);
    EXPECT_EQ(back, words);
    EXPECT_EQ(ar.ReadByteBlock(), block);
    EXPECT_EQ(ar.ReadF32(), -1.5f);
    EXPECT_EQ(ar.ReadF64(), 0.1);
}

TEST(Archive, HostileTagsAreArchiveErrors) {
    using C = CArchiveException;
    auto readNode = [](CArchive& ar) { (void)ar.ReadNewObject<CArchiveTestNode>(); };
    auto readList = [](CArchive& ar) {
        CObListEx<CArchiveTestNode> list(true);
        ReadNodeList(ar, list);
    };

    EXPECT_EQ(LoadCause(ByteBuilder().newClass("CNoSuchClass").bytes(), readNode), C::badClass);
    EXPECT_EQ(LoadCause(ByteBuilder().u16(0xFFFF).u16(1).u16(16).chars("CArchiveTestNode").bytes(),
                        readNode),
              C::badSchema);
    // An object of another class where a node is expected is refused before it is created.
    EXPECT_EQ(LoadCause(ByteBuilder().newClass("CArchiveTestLeaf").bytes(), readNode), C::badClass);
    // A class number or an object number that has not been given yet.
    EXPECT_EQ(LoadCause(ByteBuilder().u16(0x8001).bytes(), readNode), C::badIndex);
    EXPECT_EQ(LoadCause(ByteBuilder().newClass("CArchiveTestNode").u32(1).u16(5).bytes(), readNode),
              C::badIndex);
    EXPECT_EQ(LoadCause(ByteBuilder().u16(0x7FFF).u32(0x80000009u).bytes(), readNode), C::badIndex);
    // A class number used as an object reference, and an object number used as a class.
    EXPECT_EQ(LoadCause(ByteBuilder().newClass("CArchiveTestNode").u32(1).u16(1).bytes(), readNode),
              C::badIndex);
    EXPECT_EQ(
        LoadCause(
            ByteBuilder().u16(2).newClass("CArchiveTestNode").u32(1).u16(0).u16(0x8002).bytes(),
            readList),
        C::badIndex);
    // The same record twice in an owning list.
    EXPECT_EQ(
        LoadCause(ByteBuilder().u16(2).newClass("CArchiveTestNode").u32(1).u16(0).u16(2).bytes(),
                  readList),
        C::badIndex);
    // Null in a list of records.
    EXPECT_EQ(LoadCause(ByteBuilder().u16(1).u16(0).bytes(), readList), C::badClass);
}

TEST(Archive, CountsBeyondTheBytesLeftFailBeforeAllocating) {
    using C = CArchiveException;
    EXPECT_EQ(LoadCause(ByteBuilder().u16(0xFFFF).u32(0xFFFFFFFF).u16(1).bytes(),
                        [](CArchive& ar) {
                            std::vector<std::uint16_t> words;
                            ar.ReadWordArray(words);
                        }),
              C::endOfFile);
    EXPECT_EQ(LoadCause(ByteBuilder().u8(0xFF).u16(0xFFFF).u32(0xFFFFFFF0).bytes(),
                        [](CArchive& ar) { (void)ar.ReadString(); }),
              C::endOfFile);
    EXPECT_EQ(LoadCause(ByteBuilder().u16(0xFFFF).u32(0x7FFFFFFF).bytes(),
                        [](CArchive& ar) { (void)ar.ReadByteBlock(); }),
              C::endOfFile);
    EXPECT_EQ(LoadCause(ByteBuilder().u16(0xFFFF).u32(0x40000000).u16(0).bytes(),
                        [](CArchive& ar) {
                            CObListEx<CArchiveTestNode> list(true);
                            ReadNodeList(ar, list);
                        }),
              C::endOfFile);
    EXPECT_EQ(LoadCause(ByteBuilder().u8(1).bytes(), [](CArchive& ar) { (void)ar.ReadU16(); }),
              C::endOfFile);
}

TEST(Archive, LargeBlocksCrossTheBufferIntact) {
    // Reads mixing small values with blocks bigger than the internal buffer, from an input
    // that hands out a few bytes at a time.
    class Trickle : public CArchiveInput {
    public:
        explicit Trickle(std::span<const std::uint8_t> data) : m_in(data) {}
        std::size_t Read(std::uint8_t* data, std::size_t size) override {
            return m_in.Read(data, std::min<std::size_t>(size, 777));
        }
        std::uint64_t Remaining() const override { return m_in.Remaining(); }
        CMemoryInput m_in;
    };
    std::vector<std::uint16_t> big(100000, 0xBEEF);
    big.back() = 1;
    const auto bytes = Store([&](CArchive& ar) {
        ar.WriteU8(9);
        ar.WriteWordArray(big);
        ar.WriteU32(0xDEADBEEF);
    });
    Trickle in(bytes);
    CArchive ar(in);
    EXPECT_EQ(ar.ReadU8(), 9);
    std::vector<std::uint16_t> back;
    ar.ReadWordArray(back);
    EXPECT_EQ(back, big);
    EXPECT_EQ(ar.ReadU32(), 0xDEADBEEFu);
}

// An empty block (an empty comments file, an empty vector) has no data pointer; writing and
// reading it must not hand that null to memcpy (UBSan stops the program there).
TEST(Archive, EmptyBlocksWithoutStorageReadAndWriteNothing) {
    const auto bytes = Store([](CArchive& ar) {
        ar.WriteU8(1);
        ar.WriteBytes({});
        ar.WriteU8(2);
    });
    EXPECT_EQ(bytes, (std::vector<std::uint8_t>{1, 2}));
    EXPECT_EQ(LoadCause(bytes,
                        [](CArchive& ar) {
                            EXPECT_EQ(ar.ReadU8(), 1);
                            ar.ReadBytes({});
                            EXPECT_EQ(ar.ReadU8(), 2);
                        }),
              CArchiveException::none);
}
