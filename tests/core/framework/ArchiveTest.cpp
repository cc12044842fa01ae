#include "framework/Archive.h"

#include "support/ByteBuilder.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

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

TEST(Archive, HostileInputIsAnArchiveErrorBeforeAnythingIsAllocated) {
    using C = CArchiveException;
    const std::function<void(CArchive&)> node = [](CArchive& ar) {
        (void)ar.ReadNewObject<CArchiveTestNode>();
    };
    const std::function<void(CArchive&)> list = [](CArchive& ar) {
        CObListEx<CArchiveTestNode> nodes(true);
        ReadNodeList(ar, nodes);
    };
    const std::function<void(CArchive&)> words = [](CArchive& ar) {
        std::vector<std::uint16_t> read;
        ar.ReadWordArray(read);
    };
    const auto nodeClass = [] { return ByteBuilder().newClass("CArchiveTestNode"); };
    const std::vector<std::tuple<ByteBuilder, std::function<void(CArchive&)>, C::Cause>> cases = {
        {ByteBuilder().newClass("CNoSuchClass"), node, C::badClass},
        {ByteBuilder().u16(0xFFFF).u16(1).u16(16).chars("CArchiveTestNode"), node, C::badSchema},
        // Another class where a node is expected is refused before it is created.
        {ByteBuilder().newClass("CArchiveTestLeaf"), node, C::badClass},
        // Class and object numbers not given yet, or used as the other kind.
        {ByteBuilder().u16(0x8001), node, C::badIndex},
        {nodeClass().u32(1).u16(5), node, C::badIndex},
        {ByteBuilder().u16(0x7FFF).u32(0x80000009u), node, C::badIndex},
        {nodeClass().u32(1).u16(1), node, C::badIndex},
        {ByteBuilder().u16(2).newClass("CArchiveTestNode").u32(1).u16(0).u16(0x8002), list,
         C::badIndex},
        // The same record twice in an owning list, and null in a list of records.
        {ByteBuilder().u16(2).newClass("CArchiveTestNode").u32(1).u16(0).u16(2), list, C::badIndex},
        {ByteBuilder().u16(1).u16(0), list, C::badClass},
        // Counts beyond the bytes left.
        {ByteBuilder().u16(0xFFFF).u32(0xFFFFFFFF).u16(1), words, C::endOfFile},
        {ByteBuilder().u8(0xFF).u16(0xFFFF).u32(0xFFFFFFF0),
         [](CArchive& ar) { (void)ar.ReadString(); }, C::endOfFile},
        {ByteBuilder().u16(0xFFFF).u32(0x7FFFFFFF), [](CArchive& ar) { (void)ar.ReadByteBlock(); },
         C::endOfFile},
        {ByteBuilder().u16(0xFFFF).u32(0x40000000).u16(0), list, C::endOfFile},
        {ByteBuilder().u8(1), [](CArchive& ar) { (void)ar.ReadU16(); }, C::endOfFile},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const auto& [bytes, read, cause] = cases[i];
        EXPECT_EQ(LoadCause(bytes.bytes(), read), cause) << "case " << i;
    }
}

// Blocks larger than the internal buffer, read from an input that hands out a few bytes at a
// time. An empty block has no data pointer, which must never reach memcpy (UBSan stops there).
TEST(Archive, BlocksRoundTripAcrossASmallInput) {
    class Trickle : public CArchiveInput {
    public:
        explicit Trickle(std::span<const std::uint8_t> data) : m_in(data) {}
        std::size_t Read(std::uint8_t* data, std::size_t size) override {
            return m_in.Read(data, std::min<std::size_t>(size, 777));
        }
        std::uint64_t Remaining() const override { return m_in.Remaining(); }
        CMemoryInput m_in;
    };
    std::vector<std::uint16_t> words(100000);
    for (std::size_t i = 0; i < words.size(); ++i)
        words[i] = static_cast<std::uint16_t>(i * 7919);
    const std::vector<std::uint8_t> block{1, 2, 3};
    const auto bytes = Store([&](CArchive& ar) {
        ar.WriteU8(9);
        ar.WriteWordArray(words);
        ar.WriteBytes({});
        ar.WriteByteBlock(block);
        ar.WriteF32(-1.5f);
        ar.WriteF64(0.1);
    });
    ASSERT_EQ(bytes.size(), 1 + 6 + words.size() * 2 + 2 + block.size() + 4 + 8);
    EXPECT_EQ(bytes[7], words[0] & 0xFF);
    EXPECT_EQ(bytes[9], words[1] & 0xFF);

    Trickle in(bytes);
    CArchive ar(in);
    EXPECT_EQ(ar.ReadU8(), 9);
    std::vector<std::uint16_t> back;
    ar.ReadWordArray(back);
    EXPECT_EQ(back, words);
    ar.ReadBytes({});
    EXPECT_EQ(ar.ReadByteBlock(), block);
    EXPECT_EQ(ar.ReadF32(), -1.5f);
    EXPECT_EQ(ar.ReadF64(), 0.1);
    EXPECT_EQ(ar.RemainingBytes(), 0u);
}
