#include "framework/MemFile.h"
#include "framework/ObListEx.h"
#include "framework/StringArrayEx.h"

#include <gtest/gtest.h>

namespace {
struct Counted {
    explicit Counted(int* destroyed) : m_destroyed(destroyed) {}
    ~Counted() { ++*m_destroyed; }
    int* m_destroyed;
};
} // namespace

TEST(ObListEx, OwningListDestroysEachDistinctElementOnce) {
    int destroyed = 0;
    {
        CObListEx<Counted> list(true);
        auto* a = new Counted(&destroyed);
        auto* b = new Counted(&destroyed);
        list.AddTail(a);
        list.AddTail(b);
        list.AddTail(a); // the same object twice must not be destroyed twice
        list.AddTail(static_cast<Counted*>(nullptr));
        EXPECT_EQ(list.GetCount(), 4);
    }
    EXPECT_EQ(destroyed, 2);

    destroyed = 0;
    CObListEx<Counted> list(true);
    list.AddTail(std::make_unique<Counted>(&destroyed));
    list.AddTail(std::make_unique<Counted>(&destroyed));
    list.DeleteAll();
    EXPECT_EQ(destroyed, 2);
    EXPECT_TRUE(list.IsEmpty());
}

TEST(ObListEx, RemovingHandsOwnershipBackAndNonOwningListsDestroyNothing) {
    int destroyed = 0;
    Counted kept(&destroyed);
    {
        CObListEx<Counted> list(true);
        list.AddTail(&kept);
        ASSERT_TRUE(list.Remove(&kept));
        EXPECT_FALSE(list.Remove(&kept));
    }
    EXPECT_EQ(destroyed, 0);
    {
        CObListEx<Counted> borrowed(false);
        borrowed.AddTail(&kept);
        borrowed.DeleteAll();
    }
    EXPECT_EQ(destroyed, 0);
    CObListEx<Counted> list(true);
    list.AddTail(std::make_unique<Counted>(&destroyed));
    std::unique_ptr<Counted> taken(list.RemoveAt(0));
    list.DeleteAll();
    EXPECT_EQ(destroyed, 0);
}

TEST(ObListEx, PlacementOperations) {
    int a = 1, b = 2, c = 3, d = 4;
    CObListEx<int> list;
    list.AddTail(&b);
    list.AddHead(&a);
    list.InsertAfter(1, &d);
    list.InsertAfter(1, &c);
    ASSERT_EQ(list.GetCount(), 4);
    EXPECT_EQ(list.GetAt(0), &a);
    EXPECT_EQ(list.GetAt(1), &b);
    EXPECT_EQ(list.GetAt(2), &c);
    EXPECT_EQ(list.GetAt(3), &d);
    EXPECT_EQ(list.Find(&c), 2);
    EXPECT_EQ(list.Find(nullptr), -1);
    list.InsertAfter(-1, &d);
    EXPECT_EQ(list.GetHead(), &d);
}

TEST(StringArrayEx, FindsExactTextOnly) {
    CStringArrayEx texts{"ln(PA/PR)", "X/2", "x/2"};
    EXPECT_EQ(texts.Find("x/2"), 2);
    EXPECT_EQ(texts.Find("X/2"), 1);
    EXPECT_EQ(texts.Find("X/2 "), -1);
    EXPECT_EQ(texts.Find(""), -1);
    texts.InsertAt(0, "");
    EXPECT_EQ(texts.Find(""), 0);
}

TEST(MemFile, WritesReadsSeeksAndZeroFillsGaps) {
    CMemFile file(65536);
    const std::uint8_t hello[] = {'h', 'e', 'l', 'l', 'o'};
    file.Write(hello);
    EXPECT_EQ(file.GetLength(), 5u);
    file.Seek(2, CMemFile::SeekFrom::End);
    file.Write(hello);
    ASSERT_EQ(file.GetLength(), 12u);
    EXPECT_EQ(file.Data()[5], 0);
    EXPECT_EQ(file.Data()[6], 0);

    file.Seek(-100, CMemFile::SeekFrom::Current);
    EXPECT_EQ(file.GetPosition(), 0u);
    std::uint8_t out[8] = {};
    EXPECT_EQ(file.Read(out), 8u);
    EXPECT_EQ(out[4], 'o');
    EXPECT_EQ(file.Read(out), 4u);
    EXPECT_EQ(file.Read(out), 0u);

    file.SetLength(3);
    EXPECT_EQ(file.GetPosition(), 3u);
    file.Assign(std::span<const std::uint8_t>(hello, 2));
    EXPECT_EQ(file.GetLength(), 2u);
    EXPECT_EQ(file.GetPosition(), 0u);
}
