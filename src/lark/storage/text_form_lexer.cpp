#include "lark/storage/text_form_lexer_p.h"

#include <lark/storage/text_form.h>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace lark::detail {

namespace {

constexpr char32_t kMaxCharCode = 0x10FFFF;
// Error messages show at most this much of a token.
constexpr qsizetype kMaxShownLength = 40;
constexpr char16_t kByteOrderMark = 0xFEFF;

bool IsAsciiLetter(QChar ch)
{
    return (ch >= u'a' && ch <= u'z') || (ch >= u'A' && ch <= u'Z');
}

bool IsAsciiDigit(QChar ch)
{
    return ch >= u'0' && ch <= u'9';
}

bool IsIdentifierStart(QChar ch)
{
    return IsAsciiLetter(ch) || ch == u'_';
}

bool IsIdentifierPart(QChar ch)
{
    return IsIdentifierStart(ch) || IsAsciiDigit(ch) || ch == u'.';
}

int HexDigitValue(QChar ch)
{
    if (IsAsciiDigit(ch))
        return ch.unicode() - u'0';
    if (ch >= u'a' && ch <= u'f')
        return ch.unicode() - u'a' + 10;
    if (ch >= u'A' && ch <= u'F')
        return ch.unicode() - u'A' + 10;
    return -1;
}

QString Shortened(QStringView text)
{
    if (text.size() <= kMaxShownLength)
        return text.toString();
    return text.left(kMaxShownLength).toString() + u"..."_s;
}

bool IsLineBreak(QChar ch)
{
    return ch == u'\r' || ch == u'\n';
}

} // namespace

bool TextFormToken::IsKeyword(QLatin1StringView keyword) const
{
    return Kind == TextFormTokenKind::Identifier && Text.compare(keyword, Qt::CaseInsensitive) == 0;
}

QString TextFormToken::Description() const
{
    switch (Kind) {
    case TextFormTokenKind::End:
        return u"end of text"_s;
    case TextFormTokenKind::String:
        return u"a string"_s;
    case TextFormTokenKind::Integer:
        return Shortened(Text);
    case TextFormTokenKind::Identifier:
        return u'\'' + Shortened(Text) + u'\'';
    case TextFormTokenKind::Symbol:
        break;
    }
    const QChar ch = Text.front();
    if (ch.unicode() > u' ' && ch.unicode() < 0x7F)
        return u'\'' + ch + u'\'';
    return u"character #%1"_s.arg(ch.unicode());
}

TextFormLexer::TextFormLexer(QStringView text)
    : FText(text)
{
}

QChar TextFormLexer::Peek(qsizetype ahead) const
{
    const qsizetype at = FPos + ahead;
    return at < FText.size() ? FText[at] : QChar();
}

TextFormToken TextFormLexer::Make(TextFormTokenKind kind, qsizetype start) const
{
    TextFormToken token;
    token.Kind = kind;
    token.Text = FText.sliced(start, FPos - start);
    token.Line = FLine;
    return token;
}

TextFormToken TextFormLexer::Next()
{
    SkipBlanks();
    if (AtEnd())
        return Make(TextFormTokenKind::End, FPos);
    const QChar ch = Peek();
    if (IsIdentifierStart(ch))
        return ReadIdentifier();
    if (IsAsciiDigit(ch) || (ch == u'-' && IsAsciiDigit(Peek(1))))
        return ReadInteger();
    if (ch == u'\'' || ch == u'#')
        return ReadString();
    ++FPos;
    return Make(TextFormTokenKind::Symbol, FPos - 1);
}

// Everything up to a space counts as blank, as control characters have no
// meaning between tokens. CR LF, LF and a lone CR each end one line.
void TextFormLexer::SkipBlanks()
{
    while (!AtEnd()) {
        const QChar ch = Peek();
        if (ch.unicode() > u' ' && ch.unicode() != kByteOrderMark)
            return;
        if (ch == u'\n' || (ch == u'\r' && Peek(1) != u'\n'))
            ++FLine;
        ++FPos;
    }
}

TextFormToken TextFormLexer::ReadIdentifier()
{
    const qsizetype start = FPos;
    while (!AtEnd() && IsIdentifierPart(Peek()))
        ++FPos;
    return Make(TextFormTokenKind::Identifier, start);
}

TextFormToken TextFormLexer::ReadInteger()
{
    const qsizetype start = FPos;
    if (Peek() == u'-')
        ++FPos;
    while (!AtEnd() && IsAsciiDigit(Peek()))
        ++FPos;
    return Make(TextFormTokenKind::Integer, start);
}

// Quoted runs and character codes written without a blank between them form
// one string: 'caf'#233'!' is "café!".
TextFormToken TextFormLexer::ReadString()
{
    const qsizetype start = FPos;
    QString value;
    while (!AtEnd()) {
        if (Peek() == u'\'')
            ReadQuotedRun(value);
        else if (Peek() == u'#')
            ReadCharCode(value);
        else
            break;
    }
    TextFormToken token = Make(TextFormTokenKind::String, start);
    token.Value = std::move(value);
    return token;
}

// A quoted run ends at the first single quote not doubled. It may not span
// lines: line breaks inside strings are written as #13#10.
void TextFormLexer::ReadQuotedRun(QString& value)
{
    ++FPos; // the opening quote
    while (true) {
        qsizetype end = FPos;
        while (end < FText.size() && FText[end] != u'\'' && !IsLineBreak(FText[end]))
            ++end;
        value += FText.sliced(FPos, end - FPos);
        FPos = end;
        if (AtEnd())
            throw EParserError(FLine, u"closing quote"_s, u"end of text"_s);
        if (IsLineBreak(Peek()))
            throw EParserError(FLine, u"closing quote"_s, u"end of line"_s);
        ++FPos; // a quote: closing, or the first of a doubled one
        if (Peek() != u'\'')
            return;
        value += u'\'';
        ++FPos;
    }
}

// #nnn (decimal) or #$hh (hexadecimal): one UTF-16 unit, or a surrogate pair
// for codes above 65535.
void TextFormLexer::ReadCharCode(QString& value)
{
    const qsizetype start = FPos;
    ++FPos; // "#"
    const bool hex = Peek() == u'$';
    if (hex)
        ++FPos;
    const int base = hex ? 16 : 10;
    char32_t code = 0;
    qsizetype digits = 0;
    for (; !AtEnd(); ++FPos, ++digits) {
        const int digit = hex ? HexDigitValue(Peek()) : (IsAsciiDigit(Peek()) ? Peek().unicode() - u'0' : -1);
        if (digit < 0)
            break;
        // Saturate: any code past the limit is rejected below, however long.
        code = std::min<char32_t>(code * base + char32_t(digit), kMaxCharCode + 1);
    }
    if (digits == 0) {
        const QString found = AtEnd() ? u"end of text"_s : u'\'' + Peek() + u'\'';
        throw EParserError(FLine, u"a character code after '#'"_s, found);
    }
    if (code > kMaxCharCode) {
        throw EParserError(FLine, u"a character code from 0 to %1"_s.arg(quint32(kMaxCharCode)),
                           Shortened(FText.sliced(start, FPos - start)));
    }
    if (QChar::requiresSurrogates(code)) {
        value += QChar(QChar::highSurrogate(code));
        value += QChar(QChar::lowSurrogate(code));
        return;
    }
    value += QChar(char16_t(code));
}

} // namespace lark::detail
