// Reading a tag's attributes into name=value lines, and looking them up.
//
// Tokens are separated by blanks outside quotes and end at ">". A token with
// "=" is a named attribute: the name is trimmed and put in lower case, the
// value is trimmed and keeps its quotes (handlers unquote what they read).
// A token without "=" is positional: p1, p2, ... Inside quotes, blanks and
// ">" belong to the value, and a run of blanks shrinks to one.
#include "lark/html/parse/attributes_p.h"
#include "lark/html/parse/value_tables_p.h"
#include <lark/html/parse/values.h>

using namespace Qt::StringLiterals;

namespace lark::detail {

namespace {

bool IsQuote(QChar ch)
{
    return ch == u'\'' || ch == u'"';
}

QStringView TrimBlanksAndControls(QStringView text)
{
    while (!text.isEmpty() && text.front().unicode() <= u' ')
        text = text.sliced(1);
    while (!text.isEmpty() && text.back().unicode() <= u' ')
        text.chop(1);
    return text;
}

void AddToken(QStringView token, int& positional, TStringList& attributes)
{
    const qsizetype equals = token.indexOf(u'=');
    if (equals >= 0) {
        const QString name = AsciiLower(TrimBlanksAndControls(token.first(equals)));
        attributes.Add(name + u'=' + TrimBlanksAndControls(token.sliced(equals + 1)).toString());
        return;
    }
    if (token.isEmpty())
        return;
    ++positional;
    attributes.Add(u'p' + QString::number(positional) + u'=' + token.toString());
}

} // namespace

void ReadAttributes(const QString& text, qsizetype& pos, TStringList& attributes)
{
    QString token;
    QChar quote;
    bool inQuote = false;
    int positional = 0;
    const qsizetype size = text.size();
    for (; pos < size; ++pos) {
        const QChar ch = text[pos];
        if (inQuote) {
            if (ch == quote)
                inQuote = false;
        } else if (IsQuote(ch)) {
            inQuote = true;
            quote = ch;
        } else if (ch == u' ' || ch == u'>') {
            AddToken(token, positional, attributes);
            token.clear();
            if (ch == u'>')
                return;
            continue;
        }
        if (ch == u' ' && token.endsWith(u' '))
            continue;
        token.append(ch);
    }
    // The text ended inside the tag: the unfinished token is dropped.
    pos = size - 1;
}

QString RawAttribute(const TStringList& attributes, QStringView name)
{
    return attributes.Values(name.toString());
}

QString Attribute(const TStringList& attributes, QStringView name)
{
    return UnquoteValue(RawAttribute(attributes, name));
}

QString QuoteAttribute(const QString& value)
{
    if (value.contains(u'"') && !value.contains(u'\''))
        return u'\'' + value + u'\'';
    return u'"' + value + u'"';
}

} // namespace lark::detail
