// The control allow-list of untrusted mode, and the caps that bound what an
// untrusted snippet can make the parser do.
#include <lark/framework/limits.h>
#include <lark/framework/string_list.h>
#include "lark/html/parse/tag_table_p.h"
#include <lark/html/untrusted/untrusted.h>
#include "lark/html/untrusted/untrusted_p.h"

#include <algorithm>

namespace lark {

namespace {

// Case folding is what QString's case-insensitive comparison uses, so a name
// matches here exactly when the class registry would resolve it.
QString Key(const QString& name)
{
    return name.toCaseFolded();
}

QStringList Sorted(QStringList names)
{
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

void TLarkHTMLControlAllowList::AllowClass(const QString& className, const QStringList& properties)
{
    if (className.isEmpty())
        return;
    QSet<QString>& allowed = FClasses[Key(className)];
    for (const QString& property : properties) {
        if (!property.isEmpty())
            allowed.insert(Key(property));
    }
}

void TLarkHTMLControlAllowList::DisallowClass(const QString& className)
{
    FClasses.remove(Key(className));
}

bool TLarkHTMLControlAllowList::IsClassAllowed(const QString& className) const
{
    return !className.isEmpty() && FClasses.contains(Key(className));
}

bool TLarkHTMLControlAllowList::IsPropertyAllowed(const QString& className, const QString& propertyName) const
{
    const auto found = FClasses.constFind(Key(className));
    return found != FClasses.cend() && found->contains(Key(propertyName));
}

QStringList TLarkHTMLControlAllowList::AllowedClasses() const
{
    return Sorted(FClasses.keys());
}

QStringList TLarkHTMLControlAllowList::AllowedProperties(const QString& className) const
{
    const auto found = FClasses.constFind(Key(className));
    return found == FClasses.cend() ? QStringList() : Sorted(found->values());
}

namespace detail {

QString CapUntrustedText(const QString& text)
{
    qsizetype size = limits::kMaxUntrustedTextChars;
    if (text.size() <= size)
        return text;
    // Never keep half of a surrogate pair.
    if (text[size - 1].isHighSurrogate())
        --size;
    return text.first(size);
}

void CapAttributeValues(TStringList& attributes)
{
    constexpr qsizetype cap = limits::kMaxUntrustedAttributeChars;
    for (int i = 0; i < attributes.Count(); ++i) {
        const QString& line = attributes.Strings(i);
        const qsizetype valueStart = line.indexOf(u'=') + 1; // positional lines have one too
        const QStringView value = QStringView(line).sliced(valueStart);
        // A quoted value keeps its quotes around what is left of it, so that
        // it still reads as one quoted value.
        const QChar quote = value.isEmpty() ? QChar() : value.front();
        const bool quoted = (quote == u'"' || quote == u'\'') && value.size() > 1 && value.back() == quote;
        QStringView content = quoted ? value.sliced(1, value.size() - 2) : value;
        if (content.size() <= cap)
            continue;
        content.truncate(cap);
        if (content.back().isHighSurrogate())
            content.chop(1);
        QString cut = line.first(valueStart);
        if (quoted)
            cut += quote + content.toString() + quote;
        else
            cut += content.toString();
        attributes.SetStrings(i, cut);
    }
}

bool NestingCap::Ignores(int code, int fontDepth, int listDepth)
{
    constexpr int cap = limits::kMaxUntrustedNesting;
    switch (code) {
    case tcFont:
        return Open(fontDepth >= cap, FIgnoredFonts);
    case tcEndFont:
        return Close(FIgnoredFonts);
    case tcUL:
    case tcOL:
        return Open(listDepth >= cap, FIgnoredLists);
    case tcEndUL:
    case tcEndOL:
        return Close(FIgnoredLists);
    default:
        return false;
    }
}

bool NestingCap::Open(bool tooDeep, int& ignored)
{
    if (tooDeep)
        ++ignored;
    return tooDeep;
}

// The closing tag of an ignored opening one goes with it; the levels below
// still close as written.
bool NestingCap::Close(int& ignored)
{
    if (ignored == 0)
        return false;
    --ignored;
    return true;
}

} // namespace detail

} // namespace lark
