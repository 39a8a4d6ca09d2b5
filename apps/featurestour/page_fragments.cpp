#include "page_fragments.h"

#include <lark/framework/exceptions.h>
#include <lark/framework/string_list.h>
#include <lark/storage/storage.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace lark::tour {

namespace {

// "07_link_tag.html" -> 7; -1 when the name has no "NN_" in front. The file
// name only orders the pages; the page's own name is on its first line.
int PositionOf(const QString& fileName)
{
    const QString stem = QFileInfo(fileName).completeBaseName();
    const qsizetype underscore = stem.indexOf(u'_');
    if (underscore <= 0 || underscore >= stem.size() - 1)
        return -1;
    bool ok = false;
    const int position = stem.left(underscore).toInt(&ok);
    return ok && position >= 0 ? position : -1;
}

// The first line "<!-- page: NAME -->" gives the name that links use.
QString TakePageName(QStringList& lines)
{
    static const QRegularExpression header(u"^<!-- page: (\\S+) -->$"_s);
    if (lines.isEmpty())
        return {};
    const QRegularExpressionMatch match = header.match(lines.constFirst());
    if (!match.hasMatch())
        return {};
    lines.removeFirst();
    return match.captured(1);
}

[[noreturn]] void Fail(const QString& path, const QString& what)
{
    throw EReadError(u"%1: %2"_s.arg(QDir::toNativeSeparators(path), what));
}

QStringList ReadLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        Fail(path, file.errorString());
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(file.readAll());
    if (decoder.hasError())
        Fail(path, u"not UTF-8 text"_s);
    QStringList lines = text.split(u'\n');
    // A final line end ends the last line; it does not start another one.
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    for (QString& line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
    return lines;
}

} // namespace

void ReadPageFragments(const QString& folder, TLarkHTMLStorageItems& pages)
{
    const QDir dir(folder);
    const QStringList files = dir.entryList({ u"*.html"_s }, QDir::Files, QDir::Name);
    if (files.isEmpty())
        Fail(folder, u"no page fragments (NN_what.html)"_s);

    TLarkHTMLStorageItems read(nullptr);
    for (const QString& fileName : files) {
        const QString path = dir.filePath(fileName);
        if (PositionOf(fileName) != read.Count())
            Fail(path, u"expected the name %1_<what>.html"_s.arg(read.Count(), 2, 10, QChar(u'0')));
        QStringList text = ReadLines(path);
        const QString name = TakePageName(text);
        if (name.isEmpty())
            Fail(path, u"expected a first line <!-- page: NAME -->"_s);
        TLarkHTMLStorageItem* page = read.Add();
        page->SetName(name);
        TStringList lines;
        for (const QString& line : text)
            lines.Add(line);
        page->SetLines(lines);
    }
    pages.Assign(read);
}

} // namespace lark::tour
