// The tag table, the style bits of the style tags and the input types.
#include "lark/html/parse/tag_table_p.h"

#include <QString>
#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <string>

using namespace lark;
using namespace lark::detail;

namespace {

struct TagRow
{
    const char16_t* name;
    int code;
};

// The vocabulary as authors see it, in list order. Written out here rather
// than read from the table so that a slip in tag_table.inc shows.
constexpr TagRow kExpectedTags[] = {
    {u"sub", 0}, {u"/sub", 0}, {u"sup", 1}, {u"/sup", 1},
    {u"b", 2}, {u"/b", 2}, {u"strong", 2}, {u"/strong", 2},
    {u"i", 3}, {u"/i", 3}, {u"em", 3}, {u"/em", 3},
    {u"var", 4}, {u"/var", 4}, {u"cite", 4}, {u"/cite", 4},
    {u"strikeout", 5}, {u"/strikeout", 5}, {u"s", 5}, {u"/s", 5},
    {u"u", 6}, {u"/u", 6},
    {u"ul", 7}, {u"/ul", 8}, {u"ol", 9}, {u"/ol", 10}, {u"li", 11},
    {u"p", 12}, {u"/p", 12}, {u"br", 13}, {u"ind", 14}, {u"img", 15},
    {u"a", 16}, {u"/a", 17}, {u"html", 18}, {u"hr", 19},
    {u"/font", 20}, {u"font", 21}, {u"input", 22}, {u"control", 23},
    {u"~~", 24}, {u"body", 25},
};

TEST(TagTable, HoldsTheVocabularyInListOrder)
{
    const auto table = TagTable();
    ASSERT_EQ(table.size(), std::size(kExpectedTags));
    for (std::size_t i = 0; i < table.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(table[i].name, std::u16string_view(kExpectedTags[i].name));
        EXPECT_EQ(int(table[i].code), kExpectedTags[i].code);
    }
}

TEST(TagTable, FindsEveryNameWithItsCode)
{
    for (const TagRow& row : kExpectedTags) {
        const QString name = QString::fromUtf16(row.name);
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(int(FindTag(name)), row.code);
    }
}

TEST(TagTable, NamesAreUniqueAndCoverEveryCode)
{
    std::set<std::u16string_view> names;
    std::set<int> codes;
    for (const TagEntry& entry : TagTable()) {
        EXPECT_TRUE(names.insert(entry.name).second) << "duplicate at code " << entry.code;
        codes.insert(entry.code);
    }
    EXPECT_EQ(codes.size(), std::size_t(TagCodeCount));
    EXPECT_EQ(*codes.begin(), 0);
    EXPECT_EQ(*codes.rbegin(), TagCodeCount - 1);
}

struct UnknownTagCase
{
    const char* name;
    const char16_t* tag;
};

// Names the row in test listings instead of dumping its bytes.
void PrintTo(const UnknownTagCase& row, std::ostream* os)
{
    *os << row.name;
}

constexpr UnknownTagCase kUnknownTags[] = {
    {"ClosingListItem", u"/li"},
    {"ClosingHtml", u"/html"},
    {"ClosingBody", u"/body"},
    {"ClosingImage", u"/img"},
    {"ClosingRule", u"/hr"},
    {"ClosingBreak", u"/br"},
    {"Unknown", u"x"},
    {"Empty", u""},
    {"UpperCaseIsNotLowered", u"B"},
    {"Prefix", u"su"},
    {"Extension", u"subx"},
    {"TrailingBlank", u"b "},
    {"SlashOnly", u"/"},
    {"OneTilde", u"~"},
    {"ThreeTildes", u"~~~"},
    {"VariableWithName", u"~~name"},
    {"CommentOpener", u"!--"},
    {"UnicodeLookAlike", u"\u0130mg"},
};

class UnknownTagTest : public testing::TestWithParam<UnknownTagCase>
{
};

TEST_P(UnknownTagTest, IsUnsupported)
{
    EXPECT_EQ(FindTag(QStringView(GetParam().tag)), tcUnknown);
    EXPECT_EQ(int(tcUnknown), -1);
}

INSTANTIATE_TEST_SUITE_P(Rows, UnknownTagTest, testing::ValuesIn(kUnknownTags),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TagTable, StyleTagsCarryTheirFontStyles)
{
    struct Row
    {
        int code;
        TFontStyles styles;
        int bits;
    };
    const Row rows[] = {
        {tcBold, {fsBold}, 1},
        {tcItalic, {fsItalic}, 2},
        {tcBoldItalic, {fsBold, fsItalic}, 3},
        {tcStrikeOut, {fsStrikeOut}, 8},
        {tcUnderline, {fsUnderline}, 4},
        {tcSub, {}, 0},
        {tcSup, {}, 0},
        {tcUL, {}, 0},
        {tcBody, {}, 0},
        {tcUnknown, {}, 0},
        {TagCodeCount, {}, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.code);
        EXPECT_TRUE(TagFontStyles(row.code) == row.styles);
        EXPECT_EQ(TagFontStyles(row.code).ToInt(), row.bits);
    }
}

TEST(InputTypes, LookUpLowerCaseNames)
{
    struct Row
    {
        const char16_t* type;
        TInputTypeCode code;
    };
    const Row rows[] = {
        {u"checkbox", ittCheckBox},
        {u"radio", ittRadio},
        {u"text", ittNone},
        {u"", ittNone},
        {u"CHECKBOX", ittNone},
        {u"radio ", ittNone},
        {u"check", ittNone},
    };
    for (const Row& row : rows) {
        const QString type = QString::fromUtf16(row.type);
        SCOPED_TRACE(type.toStdString());
        EXPECT_EQ(FindInputType(type), row.code);
    }
}

} // namespace
