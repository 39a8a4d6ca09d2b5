#pragma once
// The text form of a storage's items, as form files write a collection:
//
//   Items = <
//     item
//       Index = 0
//       Name = 'Intro'
//       Lines.Strings = (
//         '<b>Lark HTML</b>',
//         'caf'#233' ''quoted'' and a long line split in ' +
//         'pieces')
//     end
//   >
//
// Strings are single-quoted with the quote doubled inside; characters outside
// printable ASCII are #nnn codes (one per UTF-16 unit; codes above 65535 are
// read too); adjacent quoted runs and codes form one string and "+" joins
// strings. Elements of Lines.Strings are separated by commas or just by white
// space. Keywords and property names ignore letter case. An item without a
// Name keeps the generated name it got when it was added; Index moves an
// item to that position among the items read so far.
//
// Example:
//   TLarkHTMLStorageItems pages(nullptr);
//   StorageItemsFromTextForm(text, pages);   // throws EParserError
//   storage->SetItems(pages);

#include <lark/framework/exceptions.h>

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace lark {

class TLarkHTMLStorageItems;

// A text form that cannot be read. The message reads
// "Line <n>: expected <what>, found <what was there>".
class EParserError : public EReadError
{
public:
    EParserError(int lineNumber, const QString& expected, const QString& found);

    int LineNumber() const { return FLineNumber; }
    QString Expected() const { return FExpected; }
    QString Found() const { return FFound; }

private:
    int FLineNumber;
    QString FExpected;
    QString FFound;
};

// Data that could not be written completely.
class EWriteError : public Exception
{
public:
    using Exception::Exception;
};

// Every item of Items in the text form, lines ended with LF, ASCII only.
QString StorageItemsToTextForm(const TLarkHTMLStorageItems& items);

// Replaces Target's items by those of Text, as one change. On EParserError
// Target is left as it was.
void StorageItemsFromTextForm(QStringView text, TLarkHTMLStorageItems& target);

// Bytes of a text-form file as text: UTF-8 unless a byte-order mark names
// another encoding. Bytes that are not valid text raise EParserError with
// the line they are on.
QString DecodeTextFormBytes(const QByteArray& bytes);

} // namespace lark
