// The snippet storage: items, generated names, lookup, and how many changes
// each operation reports.
#include "storage/storage_test_support.h"

#include <lark/framework/exceptions.h>
#include <lark/storage/storage.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace lark;
using namespace lark::test;

namespace {

QStringList Names(const TLarkHTMLStorage& storage)
{
    QStringList names;
    for (const ItemData& item : Snapshot(storage))
        names << item.name;
    return names;
}

} // namespace

TEST(Storage, NewStorageIsEmpty)
{
    const TLarkHTMLStorage storage;
    EXPECT_EQ(storage.Count(), 0);
    EXPECT_EQ(storage.GetNamedIndex(""), -1);
    EXPECT_EQ(storage.GetNamedIndex("StorageItem0"), -1);
    EXPECT_THROW(storage.Items()->Items(0), EListError);
}

TEST(Storage, AddedItemsGetGeneratedNames)
{
    TLarkHTMLStorage storage;
    for (int i = 0; i < 3; ++i)
        storage.Items()->Add();
    EXPECT_EQ(Names(storage), QStringList({ "StorageItem0", "StorageItem1", "StorageItem2" }));

    storage.Items()->Items(0)->SetName("Intro");
    EXPECT_EQ(storage.Items()->Add()->Name(), "StorageItem0");
    EXPECT_EQ(storage.Items()->Insert(0)->Name(), "StorageItem3");
    EXPECT_EQ(Names(storage), QStringList({ "StorageItem3", "Intro", "StorageItem1", "StorageItem2", "StorageItem0" }));

    // Names of deleted items are free again.
    storage.Items()->Delete(2);
    EXPECT_EQ(storage.Items()->Add()->Name(), "StorageItem1");
    storage.Items()->Clear();
    EXPECT_EQ(storage.Items()->Add()->Name(), "StorageItem0");
}

struct NameCase
{
    const char* name;
    QStringList existing;
    const char* generated;
};

// Only names exactly as the generator writes them occupy a number.
const NameCase kNameCases[] = {
    { "First", {}, "StorageItem0" },
    { "Next", { "StorageItem0", "StorageItem1" }, "StorageItem2" },
    { "Gap", { "StorageItem0", "StorageItem2" }, "StorageItem1" },
    { "OthersDoNotCount", { "Intro", "StorageItem1" }, "StorageItem0" },
    { "LetterCaseCounts", { "storageitem0", "STORAGEITEM0" }, "StorageItem0" },
    { "LeadingZeroIsAnotherName", { "StorageItem00", "StorageItem+0", "StorageItem 0" }, "StorageItem0" },
    { "DuplicatesTakeOneNumber", { "StorageItem0", "StorageItem0", "StorageItem1" }, "StorageItem2" },
    { "HugeNumbersDoNotMatter", { "StorageItem0", "StorageItem99999999999999999999" }, "StorageItem1" },
};

class GeneratedNameTest : public testing::TestWithParam<NameCase>
{
};

TEST_P(GeneratedNameTest, FirstFreeNumber)
{
    TLarkHTMLStorage storage;
    for (const QString& name : GetParam().existing)
        storage.Items()->Add()->SetName(name);
    EXPECT_EQ(storage.Items()->Add()->Name(), GetParam().generated);
}

INSTANTIATE_TEST_SUITE_P(Rows, GeneratedNameTest, testing::ValuesIn(kNameCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Storage, NamedIndexIsCaseSensitiveAndFindsTheFirst)
{
    TLarkHTMLStorage storage;
    Fill(storage, { { "Intro", {} }, { "intro", {} }, { "Tags", {} }, { "Intro", {} }, { "", {} } });
    EXPECT_EQ(storage.GetNamedIndex("Intro"), 0);
    EXPECT_EQ(storage.GetNamedIndex("intro"), 1);
    EXPECT_EQ(storage.GetNamedIndex("INTRO"), -1);
    EXPECT_EQ(storage.GetNamedIndex("Tags"), 2);
    EXPECT_EQ(storage.GetNamedIndex("Tags "), -1);
    EXPECT_EQ(storage.GetNamedIndex(""), 4);
    EXPECT_EQ(storage.Items()->GetItemByName("Intro"), 0);
}

TEST(Storage, ItemIndexMovesTheItem)
{
    TLarkHTMLStorage storage;
    Fill(storage, { { "a", {} }, { "b", {} }, { "c", {} } });
    TLarkHTMLStorageItem* a = storage.Items()->Items(0);
    a->SetIndex(2);
    EXPECT_EQ(Names(storage), QStringList({ "b", "c", "a" }));
    EXPECT_EQ(a->Index(), 2);
    storage.Items()->Items(2)->SetIndex(0);
    EXPECT_EQ(Names(storage), QStringList({ "a", "b", "c" }));
    EXPECT_THROW(a->SetIndex(3), EListError);
    EXPECT_THROW(storage.Items()->Insert(4), EListError);
    EXPECT_THROW(storage.Items()->Delete(-1), EListError);
    EXPECT_EQ(Names(storage), QStringList({ "a", "b", "c" }));
}

TEST(Storage, AssignCopiesNamesAndLines)
{
    TLarkHTMLStorage source;
    Fill(source, { { "Intro", { "<b>x</b>", "" } }, { "", { "y" } }, { "Intro", {} } });
    TLarkHTMLStorage copy;
    Fill(copy, { { "old", { "gone" } } });
    copy.SetItems(*source.Items());
    EXPECT_EQ(Snapshot(copy), Snapshot(source));

    copy.Items()->SetItems(0, *source.Items()->Items(1));
    EXPECT_EQ(Snapshot(copy)[0], (ItemData{ "", { "y" } }));
    EXPECT_EQ(copy.Items()->Items(0)->GetDisplayName(), "TLarkHTMLStorageItem");
    EXPECT_EQ(copy.Items()->Items(2)->GetDisplayName(), "Intro");
}

TEST(Storage, ItemTextEndsEveryLineWithCrLf)
{
    TLarkHTMLStorage storage;
    Fill(storage, { { "a", { "<b>one</b>", "", "two" } } });
    EXPECT_EQ(storage.Items()->Items(0)->Lines().Text(), "<b>one</b>\r\n\r\ntwo\r\n");
}

//---- Change notification ---------------------------------------------------

struct NotifyCase
{
    const char* name;
    std::function<void(TLarkHTMLStorage&)> action;
    int changes;
};

TLarkHTMLStorageItem& First(TLarkHTMLStorage& s)
{
    return *s.Items()->Items(0);
}

TLarkHTMLStorageItem& Second(TLarkHTMLStorage& s)
{
    return *s.Items()->Items(1);
}

// The storage starts with "A" (two lines) and "B" (no lines).
const NotifyCase kNotifyCases[] = {
    { "AddLine", [](auto& s) { First(s).Lines().Add("x"); }, 1 },
    { "InsertLine", [](auto& s) { First(s).Lines().Insert(0, "x"); }, 1 },
    { "ReplaceLine", [](auto& s) { First(s).Lines().SetStrings(1, "x"); }, 1 },
    { "DeleteLine", [](auto& s) { First(s).Lines().Delete(0); }, 1 },
    { "SetText", [](auto& s) { First(s).Lines().SetText("p\r\nq\r\nr"); }, 1 },
    { "AssignLines", [](auto& s) { First(s).SetLines(TStringList{ "p", "q", "r" }); }, 1 },
    { "ClearLines", [](auto& s) { First(s).Lines().Clear(); }, 1 },
    { "ClearEmptyLines", [](auto& s) { Second(s).Lines().Clear(); }, 0 },
    { "LinesUpdateBlock",
      [](auto& s) {
          TLarkHTMLStrings& lines = First(s).Lines();
          lines.BeginUpdate();
          lines.Add("x");
          lines.Add("y");
          lines.Delete(0);
          lines.EndUpdate();
      },
      1 },
    { "FailedLineEdit", [](auto& s) { EXPECT_THROW(First(s).Lines().Delete(5), EListError); }, 0 },
    { "Rename", [](auto& s) { First(s).SetName("C"); }, 1 },
    { "RenameToSameName", [](auto& s) { First(s).SetName("A"); }, 0 },
    { "AddItem", [](auto& s) { s.Items()->Add(); }, 1 },
    { "InsertItem", [](auto& s) { s.Items()->Insert(1); }, 1 },
    { "DeleteItem", [](auto& s) { s.Items()->Delete(0); }, 1 },
    { "ClearItems", [](auto& s) { s.Items()->Clear(); }, 1 },
    { "MoveItem", [](auto& s) { First(s).SetIndex(1); }, 1 },
    { "MoveToSamePlace", [](auto& s) { First(s).SetIndex(0); }, 0 },
    { "AssignItem", [](auto& s) { s.Items()->SetItems(1, First(s)); }, 1 },
    { "AssignCollection",
      [](auto& s) {
          TLarkHTMLStorage other;
          Fill(other, { { "x", { "1" } }, { "y", {} }, { "z", {} } });
          s.SetItems(*other.Items());
      },
      1 },
    { "CollectionUpdateBlock",
      [](auto& s) {
          s.Items()->BeginUpdate();
          First(s).SetName("C");
          First(s).Lines().Add("x");
          s.Items()->Add();
          s.Items()->EndUpdate();
      },
      1 },
    { "Loading",
      [](auto& s) {
          s.BeginLoading();
          First(s).Lines().Add("x");
          s.Items()->Add()->SetName("new");
          EXPECT_TRUE(s.Loading());
      },
      0 },
};

class StorageNotifyTest : public testing::TestWithParam<NotifyCase>
{
};

TEST_P(StorageNotifyTest, ReportsEachOperationOnce)
{
    TLarkHTMLStorage storage;
    Fill(storage, { { "A", { "a1", "a2" } }, { "B", {} } });
    ChangeCounter first(storage);
    TLarkHTMLStorageChangeLink second;
    int secondCount = 0;
    second.OnChange = [&](QObject*) { ++secondCount; };
    storage.RegisterChanges(&second);

    GetParam().action(storage);

    EXPECT_EQ(first.LinkCount, GetParam().changes);
    EXPECT_EQ(secondCount, GetParam().changes);
    EXPECT_EQ(first.OwnCount, GetParam().changes);
    if (GetParam().changes > 0) {
        EXPECT_EQ(first.LastSender, &storage);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, StorageNotifyTest, testing::ValuesIn(kNotifyCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StorageNotify, LinksInRegistrationOrderThenOnChangeThenSignal)
{
    TLarkHTMLStorage storage;
    QStringList order;
    TLarkHTMLStorageChangeLink a;
    TLarkHTMLStorageChangeLink b;
    a.OnChange = [&](QObject*) { order << "a"; };
    b.OnChange = [&](QObject*) { order << "b"; };
    storage.RegisterChanges(&b);
    storage.RegisterChanges(&a);
    storage.OnChange = [&](QObject*) { order << "OnChange"; };
    QObject::connect(&storage, &TLarkHTMLStorage::changed, [&] { order << "changed"; });

    storage.Items()->Add();

    EXPECT_EQ(order, QStringList({ "b", "a", "OnChange", "changed" }));
}

TEST(StorageNotify, EndOfLoadingReportsOnceWhenAnythingChanged)
{
    TLarkHTMLStorage storage;
    ChangeCounter counter(storage);

    storage.BeginLoading();
    storage.EndLoading();
    EXPECT_EQ(counter.LinkCount, 0);

    storage.BeginLoading();
    storage.BeginLoading();
    storage.Items()->Add()->Lines().Add("x");
    storage.EndLoading();
    EXPECT_EQ(counter.LinkCount, 0);
    EXPECT_TRUE(storage.Loading());
    storage.EndLoading();
    EXPECT_FALSE(storage.Loading());
    EXPECT_EQ(counter.LinkCount, 1);

    storage.EndLoading(); // unbalanced: ignored
    storage.Items()->Add();
    EXPECT_EQ(counter.LinkCount, 2);
}

TEST(StorageNotify, DetachedCollectionReportsToNobody)
{
    TLarkHTMLStorage storage;
    ChangeCounter counter(storage);
    TLarkHTMLStorageItems detached(nullptr);
    detached.Add()->Lines().Add("x");
    detached.Items(0)->SetName("y");
    EXPECT_EQ(counter.LinkCount, 0);
    storage.SetItems(detached);
    EXPECT_EQ(counter.LinkCount, 1);
    EXPECT_EQ(Snapshot(storage), (std::vector<ItemData>{ { "y", { "x" } } }));
}
