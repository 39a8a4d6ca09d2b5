#include <lark/framework/exceptions.h>
#include <lark/framework/string_list.h>

using namespace Qt::StringLiterals;

namespace lark {

namespace {

constexpr QChar kNameValueSeparator = u'=';

} // namespace

TStringList::TStringList(std::initializer_list<QString> lines)
    : FLines(lines)
{
}

TStringList::TStringList(const QStringList& lines)
    : FLines(lines)
{
}

void TStringList::CheckIndex(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError(u"List index out of bounds (%1)"_s.arg(index));
}

Qt::CaseSensitivity TStringList::Sensitivity() const
{
    return FCaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
}

const QString& TStringList::Strings(int index) const
{
    CheckIndex(index);
    return FLines.at(index);
}

void TStringList::SetStrings(int index, const QString& value)
{
    CheckIndex(index);
    FLines[index] = value;
}

int TStringList::Add(const QString& line)
{
    FLines.append(line);
    return Count() - 1;
}

void TStringList::Insert(int index, const QString& line)
{
    if (index < 0 || index > Count())
        throw EListError(u"List index out of bounds (%1)"_s.arg(index));
    FLines.insert(index, line);
}

void TStringList::Delete(int index)
{
    CheckIndex(index);
    FLines.removeAt(index);
}

int TStringList::IndexOf(const QString& s) const
{
    for (int i = 0; i < Count(); ++i) {
        if (FLines.at(i).compare(s, Sensitivity()) == 0)
            return i;
    }
    return -1;
}

int TStringList::IndexOfName(const QString& name) const
{
    for (int i = 0; i < Count(); ++i) {
        const QString& line = FLines.at(i);
        const qsizetype separator = line.indexOf(kNameValueSeparator);
        if (separator >= 0 && QStringView(line).left(separator).compare(name, Sensitivity()) == 0)
            return i;
    }
    return -1;
}

QString TStringList::Names(int index) const
{
    const QString& line = Strings(index);
    const qsizetype separator = line.indexOf(kNameValueSeparator);
    return separator >= 0 ? line.left(separator) : QString();
}

QString TStringList::ValueFromIndex(int index) const
{
    const QString& line = Strings(index);
    const qsizetype separator = line.indexOf(kNameValueSeparator);
    return separator >= 0 ? line.mid(separator + 1) : QString();
}

QString TStringList::Values(const QString& name) const
{
    const int index = IndexOfName(name);
    return index >= 0 ? ValueFromIndex(index) : QString();
}

void TStringList::SetValues(const QString& name, const QString& value)
{
    const int index = IndexOfName(name);
    if (value.isEmpty()) {
        if (index >= 0)
            Delete(index);
        return;
    }
    const QString line = name + kNameValueSeparator + value;
    if (index >= 0)
        FLines[index] = line;
    else
        Add(line);
}

QString TStringList::Text() const
{
    QString text;
    qsizetype length = 0;
    for (const QString& line : FLines)
        length += line.size() + 2;
    text.reserve(length);
    for (const QString& line : FLines) {
        text += line;
        text += u"\r\n";
    }
    return text;
}

void TStringList::SetText(const QString& text)
{
    FLines.clear();
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar ch = text.at(i);
        if (ch != u'\r' && ch != u'\n')
            continue;
        FLines.append(text.mid(start, i - start));
        if (ch == u'\r' && i + 1 < size && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        FLines.append(text.mid(start));
}

void TStringList::Assign(const TStringList& source)
{
    FLines = source.FLines;
}

} // namespace lark
