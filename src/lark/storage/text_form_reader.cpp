// Reads the storage text form (see text_form.h) into a detached collection
// and hands it over only when the whole text was read, so a malformed text
// never leaves half its items behind.
//
//   text     := "Items" "=" "<" { item } ">"
//   item     := "item" { property } "end"
//   property := "Index" "=" integer
//             | "Name" "=" string
//             | "Lines.Strings" "=" "(" [ string { [","] string } ] ")"
//   string   := STRING { "+" STRING }
#include "lark/storage/text_form_lexer_p.h"

#include <lark/storage/storage.h>
#include <lark/storage/text_form.h>

#include <QStringList>

using namespace Qt::StringLiterals;

namespace lark {

EParserError::EParserError(int lineNumber, const QString& expected, const QString& found)
    : EReadError(u"Line %1: expected %2, found %3"_s.arg(lineNumber).arg(expected, found))
    , FLineNumber(lineNumber)
    , FExpected(expected)
    , FFound(found)
{
}

namespace {

using detail::TextFormLexer;
using detail::TextFormToken;
using detail::TextFormTokenKind;

constexpr QLatin1StringView kItemsKeyword("Items");
constexpr QLatin1StringView kItemKeyword("item");
constexpr QLatin1StringView kEndKeyword("end");
constexpr QLatin1StringView kIndexProperty("Index");
constexpr QLatin1StringView kNameProperty("Name");
constexpr QLatin1StringView kLinesProperty("Lines.Strings");

class TextFormReader
{
public:
    TextFormReader(QStringView text, TLarkHTMLStorageItems& target)
        : FLexer(text)
        , FTarget(target)
    {
        Advance();
    }

    void Read()
    {
        ExpectKeyword(kItemsKeyword);
        ExpectSymbol(u'=');
        ExpectSymbol(u'<');
        while (!FToken.IsSymbol(u'>')) {
            if (!FToken.IsKeyword(kItemKeyword))
                Fail(u"'item' or '>'"_s);
            Advance();
            ReadItem();
        }
        Advance();
        if (FToken.Kind != TextFormTokenKind::End)
            Fail(u"end of text"_s);
    }

private:
    void Advance() { FToken = FLexer.Next(); }

    [[noreturn]] void Fail(const QString& expected) const
    {
        throw EParserError(FToken.Line, expected, FToken.Description());
    }

    void ExpectSymbol(QChar symbol)
    {
        if (!FToken.IsSymbol(symbol))
            Fail(u"'%1'"_s.arg(symbol));
        Advance();
    }

    void ExpectKeyword(QLatin1StringView keyword)
    {
        if (!FToken.IsKeyword(keyword))
            Fail(u"'%1'"_s.arg(keyword));
        Advance();
    }

    // The item joins the end of the collection with a generated name, as
    // any added item does; its properties then replace what they name.
    void ReadItem()
    {
        TLarkHTMLStorageItem* item = FTarget.Add();
        int position = FTarget.Count() - 1;
        while (!FToken.IsKeyword(kEndKeyword)) {
            if (FToken.IsKeyword(kIndexProperty))
                position = ReadIndex(position);
            else if (FToken.IsKeyword(kNameProperty))
                ReadName(*item);
            else if (FToken.IsKeyword(kLinesProperty))
                ReadLines(*item);
            else
                Fail(u"'Index', 'Name', 'Lines.Strings' or 'end'"_s);
        }
        Advance();
    }

    // Moves the item read from position; returns where it is now. (The
    // reader keeps the position: asking the item would walk the collection.)
    int ReadIndex(int position)
    {
        Advance();
        ExpectSymbol(u'=');
        const int last = FTarget.Count() - 1;
        const QString expected = u"an item index from 0 to %1"_s.arg(last);
        if (FToken.Kind != TextFormTokenKind::Integer)
            Fail(expected);
        bool ok = false;
        const int index = FToken.Text.toInt(&ok);
        if (!ok || index < 0 || index > last)
            Fail(expected);
        FTarget.Move(position, index);
        Advance();
        return index;
    }

    void ReadName(TLarkHTMLStorageItem& item)
    {
        Advance();
        ExpectSymbol(u'=');
        item.SetName(ReadStringValue());
    }

    void ReadLines(TLarkHTMLStorageItem& item)
    {
        Advance();
        ExpectSymbol(u'=');
        ExpectSymbol(u'(');
        QStringList lines;
        while (!FToken.IsSymbol(u')')) {
            if (!lines.isEmpty() && FToken.IsSymbol(u','))
                Advance();
            else if (!lines.isEmpty() && FToken.Kind != TextFormTokenKind::String)
                Fail(u"',' or ')'"_s);
            lines.append(ReadStringValue());
        }
        Advance();
        item.SetLines(TStringList(lines));
    }

    QString ReadStringValue()
    {
        QString value = ReadString();
        while (FToken.IsSymbol(u'+')) {
            Advance();
            value += ReadString();
        }
        return value;
    }

    QString ReadString()
    {
        if (FToken.Kind != TextFormTokenKind::String)
            Fail(u"a string"_s);
        QString value = std::move(FToken.Value);
        Advance();
        return value;
    }

    TextFormLexer FLexer;
    TextFormToken FToken;
    TLarkHTMLStorageItems& FTarget;
};

} // namespace

void StorageItemsFromTextForm(QStringView text, TLarkHTMLStorageItems& target)
{
    TLarkHTMLStorageItems parsed(nullptr);
    TextFormReader(text, parsed).Read();
    target.Assign(parsed);
}

} // namespace lark
