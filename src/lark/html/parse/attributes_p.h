#pragma once
// Internal: a tag's attributes. The parser reads them into a string list of
// name=value lines (names in lower case, values as written, quotes kept);
// handlers and item readers look values up by name, first line wins.

#include <lark/framework/string_list.h>

#include <QString>
#include <QStringView>

namespace lark::detail {

// Reads the attributes of a tag from text, starting on the blank after the
// tag name. Tokens without "=" become the positional attributes p1, p2, ...
// On return pos is on the ">" that ends the tag, or on the last character
// when the text ends first (the unfinished token is then dropped).
void ReadAttributes(const QString& text, qsizetype& pos, TStringList& attributes);

// The value of an attribute as written (quotes kept); empty when absent.
QString RawAttribute(const TStringList& attributes, QStringView name);
// The value with one layer of quotes removed; empty when absent.
QString Attribute(const TStringList& attributes, QStringView name);

// The text in an attribute value written back as HTML: quoted with double
// quotes, or with apostrophes when the value holds a double quote (and no
// apostrophe), so that reading it back gives the same value.
QString QuoteAttribute(const QString& value);

} // namespace lark::detail
