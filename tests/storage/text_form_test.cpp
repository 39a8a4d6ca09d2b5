// The storage text form: the exact output, write -> read -> write round trips
// of awkward text, the forms the reader accepts, and malformed input.
#include "storage/storage_test_support.h"

#include <lark/framework/exceptions.h>
#include <lark/storage/storage.h>
#include <lark/storage/text_form.h>

#include <QBuffer>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace lark;
using namespace Qt::StringLiterals;
using namespace lark::test;

namespace {

std::vector<ItemData> ReadItems(const QString& text)
{
    TLarkHTMLStorage storage;
    storage.FromTextForm(text);
    return Snapshot(storage);
}

QString Repeated(const QString& piece, int times)
{
    QString text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

} // namespace

TEST(TextForm, WritesTheClassicForm)
{
    TLarkHTMLStorage storage;
    Fill(storage, { { "Intro", { "<b>Lark</b>", "it's", "" } }, { "Empty", {} } });
    storage.Items()->Items(1)->Lines().Add(u"caf\u00e9\t"_s + Repeated("x", 70));
    storage.Items()->Add()->SetName("");

    EXPECT_EQ(storage.ToTextForm().toStdString(),
              "Items = <\n"
              "  item\n"
              "    Index = 0\n"
              "    Name = 'Intro'\n"
              "    Lines.Strings = (\n"
              "      '<b>Lark</b>',\n"
              "      'it''s',\n"
              "      '')\n"
              "  end\n"
              "  item\n"
              "    Index = 1\n"
              "    Name = 'Empty'\n"
              "    Lines.Strings = (\n"
              "      'caf'#233#9'" + std::string(52, 'x') + "' +\n"
              "        '" + std::string(18, 'x') + "')\n"
              "  end\n"
              "  item\n"
              "    Index = 2\n"
              "    Name = ''\n"
              "  end\n"
              ">\n");
    EXPECT_EQ(TLarkHTMLStorage().ToTextForm(), "Items = <>\n");
}

//---- Round trip ------------------------------------------------------------

struct RoundTripCase
{
    std::string name;
    ItemData item;
};

std::vector<RoundTripCase> RoundTripCases()
{
    const QChar nul(0);
    const QString smile = u"\U0001F600"_s;
    return {
        { "NoLines", { "Intro", {} } },
        { "OneEmptyLine", { "Intro", { "" } } },
        { "BlankLines", { "Intro", { "", "", "x", "", " " } } },
        { "Quotes", { "it's", { "'", "''", "it's 'quoted'", "'#13'", "''''''" } } },
        { "FormSyntaxInText", { "a + b", { "#13", "'a' + 'b'", "(,)", "end", ">", "Items = <", "item" } } },
        { "TrailingBlanks", { "name ", { "text   ", "   ", "\t", "x\t " } } },
        { "ControlCharacters",
          { "c", { QString(nul) + "a", "\x01\x1f\x7f", "a\rb", "a\nb", "a\r\nb", QString(3, nul) } } },
        { "NonAscii", { u"Caf\u00e9 \u0394"_s, { u"caf\u00e9"_s, u"\u0395\u03bb\u03bb\u03b7\u03bd\u03b9\u03ba\u03ac"_s,
                                                 u"\u65e5\u672c\u8a9e"_s, u"\u00a0\u00ad\ufeff\uffff"_s } } },
        { "OutsideTheBmp", { smile, { smile + " smile", u"\U0001D11E"_s, Repeated(smile, 40) } } },
        { "LoneSurrogates",
          { QString(QChar(0xD800)), { QString(QChar(0xDC00)) + "x", QString(QChar(0xDBFF)), QString(QChar(0xD800)) + smile } } },
        { "VeryLongLines",
          { Repeated("n", 500), { Repeated("x", 20000), Repeated(u"ab'c#\u00e9"_s + smile + " ", 3000), Repeated("'", 1000) } } },
    };
}

class TextFormRoundTripTest : public testing::TestWithParam<RoundTripCase>
{
};

TEST_P(TextFormRoundTripTest, KeepsEverything)
{
    TLarkHTMLStorage storage;
    // A neighbour on each side: the item's text may not bleed into them.
    const std::vector<ItemData> items = { { "before", { "b" } }, GetParam().item, { "after", {} } };
    Fill(storage, items);

    const QString text = storage.ToTextForm();
    TLarkHTMLStorage again;
    again.FromTextForm(text);

    EXPECT_EQ(Snapshot(again), items);
    EXPECT_EQ(again.ToTextForm(), text);
    // Pure ASCII with short lines, whatever the text held.
    for (const QString& line : text.split(u'\n')) {
        EXPECT_LE(line.size(), 100) << line.left(120).toStdString();
        for (const QChar ch : line)
            ASSERT_TRUE(ch.unicode() >= 0x20 && ch.unicode() < 0x7F) << line.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, TextFormRoundTripTest, testing::ValuesIn(RoundTripCases()),
                         [](const auto& info) { return info.param.name; });

//---- Accepted forms --------------------------------------------------------

struct ReadCase
{
    const char* name;
    QString text;
    std::vector<ItemData> items;
};

const ReadCase kReadCases[] = {
    { "EmptyCollection", "Items = <>", {} },
    { "ClassicWithoutCommas",
      "Items = <\r\n  item\r\n    Name = 'A'\r\n    Lines.Strings = (\r\n      'x'\r\n      'y')\r\n  end>\r\n",
      { { "A", { "x", "y" } } } },
    { "CommasAndPlus", "Items = < item Lines.Strings = ('ab' + 'cd', 'e' 'f') end >",
      { { "StorageItem0", { "abcd", "e", "f" } } } },
    { "RunsAndCodesFormOneString", "Items = < item Name = 'caf'#233'!'#13#10'x' end >",
      { { u"caf\u00e9!\r\nx"_s, {} } } },
    { "HexAndLargeCodes", "Items = < item Name = #$41#$1F600#128512#0'' end >",
      { { u"A\U0001F600\U0001F600"_s + QChar(0), {} } } },
    { "KeywordsInAnyCase", "ITEMS = < ITEM NAME = 'a' lines.strings = ('x') END Item eNd >",
      { { "a", { "x" } }, { "StorageItem0", {} } } },
    { "RawNonAsciiInQuotes", u"Items = < item Name = '\u00e9t\u00e9 \U0001F600' end >"_s,
      { { u"\u00e9t\u00e9 \U0001F600"_s, {} } } },
    { "EmptyLinesList", "Items = < item Lines.Strings = () end >", { { "StorageItem0", {} } } },
    { "MissingNamesAreGenerated", "Items = < item end item Name = 'StorageItem0' end item end >",
      { { "StorageItem0", {} }, { "StorageItem0", {} }, { "StorageItem1", {} } } },
    { "IndexMovesTheItem", "Items = < item Name = 'a' end item Index = 0 Name = 'b' end item Index = 2 end >",
      { { "b", {} }, { "a", {} }, { "StorageItem0", {} } } },
    { "LaterPropertyWins", "Items = < item Name = 'a' Lines.Strings = ('x') Name = 'b' Lines.Strings = ('y') end >",
      { { "b", { "y" } } } },
    { "ControlCharactersAreBlanks", QString("Items\t=\f<\x01item\x1f" "end\v>") + QChar(0xFEFF),
      { { "StorageItem0", {} } } },
};

class TextFormReadTest : public testing::TestWithParam<ReadCase>
{
};

TEST_P(TextFormReadTest, Reads)
{
    EXPECT_EQ(ReadItems(GetParam().text), GetParam().items);
}

INSTANTIATE_TEST_SUITE_P(Rows, TextFormReadTest, testing::ValuesIn(kReadCases),
                         [](const auto& info) { return std::string(info.param.name); });

//---- Malformed input -------------------------------------------------------

struct MalformedCase
{
    const char* name;
    const char* text;
    int line;
    const char* message;
};

const MalformedCase kMalformedCases[] = {
    { "EmptyText", "", 1, "Line 1: expected 'Items', found end of text" },
    { "OtherProperty", "Objects = <>", 1, "Line 1: expected 'Items', found 'Objects'" },
    { "NoEquals", "Items <>", 1, "Line 1: expected '=', found '<'" },
    { "NoOpeningBracket", "Items = (", 1, "Line 1: expected '<', found '('" },
    { "UnclosedCollection", "Items = <\n  item\n  end\n", 4, "Line 4: expected 'item' or '>', found end of text" },
    { "StrayCharacter", "Items = <\n  @", 2, "Line 2: expected 'item' or '>', found '@'" },
    { "NonAsciiOutsideStrings", "Items = <\n  \xc3\xa9", 2, "Line 2: expected 'item' or '>', found character #233" },
    { "UnknownProperty", "Items = <\n  item\n    Caption = 'x'\n  end\n>", 3,
      "Line 3: expected 'Index', 'Name', 'Lines.Strings' or 'end', found 'Caption'" },
    { "ItemNotEnded", "Items = <\n  item\n    Name = 'a'\n>", 4,
      "Line 4: expected 'Index', 'Name', 'Lines.Strings' or 'end', found '>'" },
    { "NameNotAString", "Items = <\n  item\n    Name = Intro\n  end\n>", 3,
      "Line 3: expected a string, found 'Intro'" },
    { "StringOpenAtLineEnd", "Items = <\n  item\n    Name = 'Intro\n  end\n>", 3,
      "Line 3: expected closing quote, found end of line" },
    { "StringOpenAtTextEnd", "Items = <\n  item\n    Name = 'Intro", 3,
      "Line 3: expected closing quote, found end of text" },
    { "DanglingPlus", "Items = <\n  item\n    Name = 'a' +\n  end\n>", 4, "Line 4: expected a string, found 'end'" },
    { "HashWithoutCode", "Items = <\n  item\n    Name = #x\n", 3,
      "Line 3: expected a character code after '#', found 'x'" },
    { "CodeTooLarge", "Items = <\n  item\n    Name = 'a'#1114112", 3,
      "Line 3: expected a character code from 0 to 1114111, found #1114112" },
    { "EndlessCode", "Items = <\n  item\n    Name = #99999999999999999999999999", 3,
      "Line 3: expected a character code from 0 to 1114111, found #99999999999999999999999999" },
    { "NoLinesParenthesis", "Items = <\n  item\n    Lines.Strings = 'a'\n", 3, "Line 3: expected '(', found a string" },
    { "LinesNotClosed", "Items = <\n  item\n    Lines.Strings = (\n      'a'\n  end\n>", 5,
      "Line 5: expected ',' or ')', found 'end'" },
    { "TrailingComma", "Items = <\n  item\n    Lines.Strings = (\n      'a',\n    )", 5,
      "Line 5: expected a string, found ')'" },
    { "NumberInLines", "Items = <\n  item\n    Lines.Strings = ('a'\n      12)", 4, "Line 4: expected ',' or ')', found 12" },
    { "IndexNotANumber", "Items = <\n  item\n    Index = 'x'", 3,
      "Line 3: expected an item index from 0 to 0, found a string" },
    { "IndexBeyondItems", "Items = <\n  item\n  end\n  item\n    Index = 2", 5,
      "Line 5: expected an item index from 0 to 1, found 2" },
    { "NegativeIndex", "Items = <\n  item\n    Index = -1", 3, "Line 3: expected an item index from 0 to 0, found -1" },
    { "HugeIndex", "Items = <\n  item\n    Index = 4294967296", 3,
      "Line 3: expected an item index from 0 to 0, found 4294967296" },
    { "TextAfterTheEnd", "Items = <\n>\nmore", 3, "Line 3: expected end of text, found 'more'" },
    { "CrLfAndLoneCrEndLines", "Items = <\r\n  item\r  end\r\n\r\n  junk", 5,
      "Line 5: expected 'item' or '>', found 'junk'" },
};

class TextFormMalformedTest : public testing::TestWithParam<MalformedCase>
{
};

TEST_P(TextFormMalformedTest, NamesLineAndExpectationAndChangesNothing)
{
    TLarkHTMLStorage storage;
    Fill(storage, { { "Intro", { "<b>kept</b>" } }, { "Other", {} } });
    const std::vector<ItemData> before = Snapshot(storage);
    ChangeCounter counter(storage);

    try {
        storage.FromTextForm(QString::fromUtf8(GetParam().text));
        FAIL() << "no error raised";
    } catch (const EParserError& error) {
        EXPECT_EQ(error.LineNumber(), GetParam().line);
        EXPECT_STREQ(error.what(), GetParam().message);
    }
    EXPECT_EQ(Snapshot(storage), before);
    EXPECT_EQ(counter.LinkCount, 0);
}

INSTANTIATE_TEST_SUITE_P(Rows, TextFormMalformedTest, testing::ValuesIn(kMalformedCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TextForm, ParserErrorIsAReadError)
{
    TLarkHTMLStorage storage;
    EXPECT_THROW(storage.FromTextForm("Items = <"), EReadError);
}

TEST(TextForm, ReadingReplacesItemsWithOneChange)
{
    TLarkHTMLStorage storage;
    Fill(storage, { { "old", { "x" } } });
    ChangeCounter counter(storage);
    storage.FromTextForm("Items = < item Name = 'a' Lines.Strings = ('1', '2') end item Name = 'b' end >");
    EXPECT_EQ(counter.LinkCount, 1);
    EXPECT_EQ(Snapshot(storage), (std::vector<ItemData>{ { "a", { "1", "2" } }, { "b", {} } }));
}

//---- Files and streams -----------------------------------------------------

class TextFormFileTest : public testing::Test
{
protected:
    QString PathOf(const QString& name) const { return FDir.filePath(name); }

    void WriteFile(const QString& name, const QByteArray& bytes) const
    {
        QFile file(PathOf(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QTemporaryDir FDir;
};

TEST_F(TextFormFileTest, SaveAndLoadKeepTheItems)
{
    TLarkHTMLStorage storage;
    Fill(storage, { { u"Caf\u00e9"_s, { "<b>x</b>", u"\U0001F600"_s } }, { "b", { "" } } });
    storage.SaveToFile(PathOf("pages.txt"));
    storage.SaveToFile(PathOf("pages.txt")); // replaces the file

    TLarkHTMLStorage loaded;
    ChangeCounter counter(loaded);
    loaded.LoadFromFile(PathOf("pages.txt"));
    EXPECT_EQ(Snapshot(loaded), Snapshot(storage));
    EXPECT_EQ(counter.LinkCount, 1);

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    storage.SaveToStream(buffer);
    EXPECT_EQ(buffer.data(), storage.ToTextForm().toUtf8());
}

TEST_F(TextFormFileTest, ReadsUtf8AndByteOrderMarks)
{
    const QString text = u"Items = < item Name = '\u00e9t\u00e9' end >"_s;
    QStringEncoder utf16(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    const std::vector<std::pair<const char*, QByteArray>> files = {
        { "Utf8", text.toUtf8() },
        { "Utf8WithMark", "\xef\xbb\xbf" + text.toUtf8() },
        { "Utf16WithMark", utf16(text) },
    };
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        WriteFile(name, bytes);
        TLarkHTMLStorage storage;
        storage.LoadFromFile(PathOf(name));
        EXPECT_EQ(Snapshot(storage), (std::vector<ItemData>{ { u"\u00e9t\u00e9"_s, {} } }));
    }
}

TEST_F(TextFormFileTest, BadBytesNameTheirLine)
{
    WriteFile("latin1.txt", "Items = <\n  item\n    Name = 'caf\xe9'\n  end\n>\n");
    TLarkHTMLStorage storage;
    try {
        storage.LoadFromFile(PathOf("latin1.txt"));
        FAIL() << "no error raised";
    } catch (const EParserError& error) {
        EXPECT_EQ(error.LineNumber(), 3);
        EXPECT_STREQ(error.what(), "Line 3: expected UTF-8 text, found invalid bytes");
    }
}

TEST_F(TextFormFileTest, FailuresLeaveTheStorageAsItWas)
{
    TLarkHTMLStorage storage;
    Fill(storage, { { "Intro", { "kept" } } });
    const QString before = storage.ToTextForm();
    ChangeCounter counter(storage);

    EXPECT_THROW(storage.LoadFromFile(PathOf("missing.txt")), EFOpenError);
    WriteFile("half.txt", "Items = <\n  item\n    Name = 'good'\n  end\n  item\n    Name = ");
    EXPECT_THROW(storage.LoadFromFile(PathOf("half.txt")), EParserError);
    QBuffer closed;
    EXPECT_THROW(storage.LoadFromStream(closed), EReadError);
    EXPECT_THROW(storage.SaveToStream(closed), EWriteError);
    EXPECT_THROW(storage.SaveToFile(PathOf("no/such/folder/pages.txt")), EFOpenError);

    EXPECT_EQ(storage.ToTextForm(), before);
    EXPECT_EQ(counter.LinkCount, 0);
}
