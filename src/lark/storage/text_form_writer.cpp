// Writes a storage's items in the text form (see text_form.h). The output is
// plain ASCII, so any text survives whatever the file's encoding is taken
// to be, and reading it back gives the same items and names.
#include <lark/storage/storage.h>
#include <lark/storage/text_form.h>

#include <QStringList>

#include <utility>

using namespace Qt::StringLiterals;

namespace lark {

namespace {

// A string is written in pieces of about this many characters, joined by
// "+" at line ends, so no line of the file grows without bound.
constexpr qsizetype kPieceWidth = 64;
constexpr QLatin1StringView kIndentUnit("  ");

bool IsPrintableAscii(QChar ch)
{
    return ch.unicode() >= u' ' && ch.unicode() < 0x7F;
}

// Breaking between the two halves of a surrogate pair would still read back
// right, but keeps the pair apart for no reason.
bool SplitsPair(QStringView text, qsizetype at)
{
    return at > 0 && text[at].isLowSurrogate() && text[at - 1].isHighSurrogate();
}

// The string as quoted runs ('' for a quote) and #nnn codes for everything
// that is not printable ASCII, cut into pieces of about kPieceWidth.
QStringList EncodedPieces(QStringView text)
{
    QStringList pieces;
    QString piece;
    bool quoted = false;
    const auto closePiece = [&] {
        if (quoted)
            piece += u'\'';
        pieces.append(std::exchange(piece, QString()));
        quoted = false;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (piece.size() >= kPieceWidth && !SplitsPair(text, i))
            closePiece();
        const QChar ch = text[i];
        if (IsPrintableAscii(ch)) {
            if (!quoted)
                piece += u'\'';
            quoted = true;
            piece += ch;
            if (ch == u'\'')
                piece += u'\'';
            continue;
        }
        if (quoted)
            piece += u'\'';
        quoted = false;
        piece += u'#' + QString::number(ch.unicode());
    }
    if (text.isEmpty())
        piece = u"''"_s;
    closePiece();
    return pieces;
}

class TextFormWriter
{
public:
    QString Write(const TLarkHTMLStorageItems& items)
    {
        if (items.Count() == 0)
            return u"Items = <>\n"_s;
        AddLine(0, u"Items = <"_s);
        for (int i = 0; i < items.Count(); ++i)
            WriteItem(i, *items.Items(i));
        AddLine(0, u">"_s);
        return FText;
    }

private:
    void WriteItem(int index, const TLarkHTMLStorageItem& item)
    {
        AddLine(1, u"item"_s);
        AddLine(2, u"Index = "_s + QString::number(index));
        // An empty name is written too: left out, it would read back as a
        // generated one.
        WriteString(2, u"Name = "_s, item.Name(), QString());
        WriteLines(item.Lines());
        AddLine(1, u"end"_s);
    }

    void WriteLines(const TLarkHTMLStrings& lines)
    {
        if (lines.Count() == 0)
            return;
        AddLine(2, u"Lines.Strings = ("_s);
        const int last = lines.Count() - 1;
        for (int i = 0; i <= last; ++i)
            WriteString(3, QString(), lines[i], i < last ? u","_s : u")"_s);
    }

    // One string: its first piece after prefix, every further piece on a
    // line of its own, "+" ending each line but the last, suffix after it.
    void WriteString(int depth, const QString& prefix, QStringView text, const QString& suffix)
    {
        const QStringList pieces = EncodedPieces(text);
        const qsizetype last = pieces.size() - 1;
        for (qsizetype i = 0; i <= last; ++i) {
            const QString lead = i == 0 ? prefix : QString();
            const QString tail = i < last ? u" +"_s : suffix;
            AddLine(i == 0 ? depth : depth + 1, lead + pieces[i] + tail);
        }
    }

    void AddLine(int depth, const QString& line)
    {
        for (int i = 0; i < depth; ++i)
            FText += kIndentUnit;
        FText += line;
        FText += u'\n';
    }

    QString FText;
};

} // namespace

QString StorageItemsToTextForm(const TLarkHTMLStorageItems& items)
{
    return TextFormWriter().Write(items);
}

} // namespace lark
