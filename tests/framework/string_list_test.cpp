// TStringList: lines, name=value rules, text form and index errors.
#include <lark/framework/exceptions.h>
#include <lark/framework/string_list.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace lark;

namespace {

struct SplitCase
{
    const char* name;
    const char* text;
    QStringList lines;
};

const SplitCase kSplitCases[] = {
    { "Empty", "", {} },
    { "OneLineNoBreak", "a", { "a" } },
    { "FinalBreakAddsNoLine", "a\r\n", { "a" } },
    { "CrLf", "a\r\nb", { "a", "b" } },
    { "LfOnly", "a\nb\n", { "a", "b" } },
    { "CrOnly", "a\rb", { "a", "b" } },
    { "Mixed", "a\r\nb\nc\rd", { "a", "b", "c", "d" } },
    { "EmptyLinesKept", "\r\n\r\nx", { "", "", "x" } },
    { "LfCrIsTwoBreaks", "a\n\rb", { "a", "", "b" } },
};

class StringListSplitTest : public testing::TestWithParam<SplitCase>
{
};

TEST_P(StringListSplitTest, SetTextSplitsAtAnyLineBreak)
{
    TStringList list;
    list.Add("old line");
    list.SetText(QString::fromLatin1(GetParam().text));
    EXPECT_EQ(list.ToStringList(), GetParam().lines);
    // Text writes each line with CR LF after it, and reads back the same.
    TStringList again;
    again.SetText(list.Text());
    EXPECT_EQ(again.ToStringList(), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(Rows, StringListSplitTest, testing::ValuesIn(kSplitCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StringList, TextEndsEveryLineWithCrLf)
{
    EXPECT_EQ(TStringList().Text(), "");
    EXPECT_EQ((TStringList{ "a", "", "b" }).Text(), "a\r\n\r\nb\r\n");
}

TEST(StringList, NamesAndValues)
{
    const TStringList list{ "Width=60", "plain", "=nameless", "caption=a=b", "WIDTH=70", "empty=" };
    EXPECT_EQ(list.Names(0), "Width");
    EXPECT_EQ(list.ValueFromIndex(0), "60");
    EXPECT_EQ(list.Names(1), "");
    EXPECT_EQ(list.ValueFromIndex(1), "");
    EXPECT_EQ(list.Names(2), "");
    EXPECT_EQ(list.ValueFromIndex(3), "a=b"); // only the first "=" separates
    EXPECT_EQ(list.Values("width"), "60");    // first match, any letter case
    EXPECT_EQ(list.IndexOfName("WiDtH"), 0);
    EXPECT_EQ(list.IndexOfName("plain"), -1); // a line without "=" has no name
    EXPECT_EQ(list.IndexOfName(""), 2);
    EXPECT_EQ(list.IndexOfName("empty"), 5);
    EXPECT_EQ(list.Values("missing"), "");
    EXPECT_EQ(list.IndexOf("PLAIN"), 1);
    EXPECT_EQ(list.IndexOf("plai"), -1);
}

TEST(StringList, CaseSensitiveListsCompareExactly)
{
    TStringList list{ "Name=x", "plain" };
    list.SetCaseSensitive(true);
    EXPECT_EQ(list.IndexOfName("name"), -1);
    EXPECT_EQ(list.IndexOfName("Name"), 0);
    EXPECT_EQ(list.IndexOf("Plain"), -1);
}

TEST(StringList, SetValuesReplacesAppendsOrDeletes)
{
    TStringList list{ "a=1", "B=2", "b=3" };
    list.SetValues("b", "9");
    EXPECT_EQ(list.ToStringList(), QStringList({ "a=1", "b=9", "b=3" }));
    list.SetValues("c", "4");
    EXPECT_EQ(list.ToStringList(), QStringList({ "a=1", "b=9", "b=3", "c=4" }));
    list.SetValues("B", "");
    EXPECT_EQ(list.ToStringList(), QStringList({ "a=1", "b=3", "c=4" }));
    list.SetValues("missing", "");
    EXPECT_EQ(list.Count(), 3);
}

TEST(StringList, EditingLines)
{
    TStringList list;
    EXPECT_EQ(list.Add("b"), 0);
    list.Insert(0, "a");
    list.Insert(2, "c"); // at Count: appends
    EXPECT_EQ(list.ToStringList(), QStringList({ "a", "b", "c" }));
    list.SetStrings(1, "B");
    list.Delete(0);
    EXPECT_EQ(list.ToStringList(), QStringList({ "B", "c" }));
    EXPECT_EQ(list[1], "c");
    TStringList copy;
    copy.Assign(list);
    EXPECT_EQ(copy, list);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(copy.Count(), 2);
}

TEST(StringList, IndexOutOfBoundsThrowsListError)
{
    TStringList list{ "a", "b" };
    struct Access
    {
        const char* what;
        std::function<void()> call;
        int index;
    };
    const Access accesses[] = {
        { "Strings", [&] { list.Strings(2); }, 2 },
        { "operator[]", [&] { (void)list[-1]; }, -1 },
        { "SetStrings", [&] { list.SetStrings(5, "x"); }, 5 },
        { "Delete", [&] { list.Delete(2); }, 2 },
        { "Insert", [&] { list.Insert(3, "x"); }, 3 },
        { "Names", [&] { list.Names(7); }, 7 },
        { "ValueFromIndex", [&] { list.ValueFromIndex(-2); }, -2 },
    };
    for (const Access& access : accesses) {
        SCOPED_TRACE(access.what);
        try {
            access.call();
            ADD_FAILURE() << "no exception";
        } catch (const EListError& e) {
            EXPECT_EQ(e.Message(), QString("List index out of bounds (%1)").arg(access.index));
        }
    }
    EXPECT_EQ(list.ToStringList(), QStringList({ "a", "b" }));
}

} // namespace
