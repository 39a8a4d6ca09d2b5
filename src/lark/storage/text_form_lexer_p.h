#pragma once
// Tokens of the storage text form. Strings arrive decoded: quoted runs with
// the doubled quote undone and #nnn codes turned into characters.

#include <QString>
#include <QStringView>

namespace lark::detail {

enum class TextFormTokenKind
{
    Identifier, // letters, digits, "_" and "." ("Lines.Strings")
    Integer,    // decimal digits, optionally after "-"
    String,
    Symbol,     // any other single character
    End,
};

struct TextFormToken
{
    TextFormTokenKind Kind = TextFormTokenKind::End;
    QStringView Text; // the source text of the token
    QString Value;    // the decoded string of a String token
    int Line = 1;

    bool IsSymbol(QChar symbol) const { return Kind == TextFormTokenKind::Symbol && Text.front() == symbol; }
    // Identifier equal to keyword, letter case ignored.
    bool IsKeyword(QLatin1StringView keyword) const;
    // How an error message names this token: 'Items', '>', 12, a string ...
    QString Description() const;
};

class TextFormLexer
{
public:
    explicit TextFormLexer(QStringView text);

    // The next token; End at the end of the text and ever after. Raises
    // EParserError for a string that is not closed on its line or a bad
    // character code.
    TextFormToken Next();

private:
    void SkipBlanks();
    TextFormToken ReadIdentifier();
    TextFormToken ReadInteger();
    TextFormToken ReadString();
    void ReadQuotedRun(QString& value);
    void ReadCharCode(QString& value);
    QChar Peek(qsizetype ahead = 0) const;
    bool AtEnd() const { return FPos >= FText.size(); }
    TextFormToken Make(TextFormTokenKind kind, qsizetype start) const;

    QStringView FText;
    qsizetype FPos = 0;
    int FLine = 1;
};

} // namespace lark::detail
