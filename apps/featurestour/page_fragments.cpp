#include "page_fragments.h"

#include <lark/framework/exceptions.h>
#include <lark/framework/string_list.h>
#include <lark/storage/storage.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace lark::tour {

namespace {

struct Fragment
{
    int Position = -1;
    QString Name;
};

// "07_a.html" -> position 7, name "a"; position -1 when the name has no
// "NN_" in front.
Fragment ParseFileName(const QString& FileName)
{
    Fragment fragment;
    const QString stem = QFileInfo(FileName).completeBaseName();
    const qsizetype underscore = stem.indexOf(u'_');
    if (underscore <= 0 || underscore >= stem.size() - 1)
        return fragment;
    bool ok = false;
    const int position = stem.left(underscore).toInt(&ok);
    if (!ok || position < 0)
        return fragment;
    fragment.Position = position;
    fragment.Name = stem.mid(underscore + 1);
    return fragment;
}

[[noreturn]] void Fail(const QString& Path, const QString& What)
{
    throw EReadError(u"%1: %2"_s.arg(QDir::toNativeSeparators(Path), What));
}

QStringList ReadLines(const QString& Path)
{
    QFile file(Path);
    if (!file.open(QIODevice::ReadOnly))
        Fail(Path, file.errorString());
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(file.readAll());
    if (decoder.hasError())
        Fail(Path, u"not UTF-8 text"_s);
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

void ReadPageFragments(const QString& Folder, TLarkHTMLStorageItems& Pages)
{
    const QDir dir(Folder);
    const QStringList files = dir.entryList({ u"*.html"_s }, QDir::Files, QDir::Name);
    if (files.isEmpty())
        Fail(Folder, u"no page fragments (NN_Name.html)"_s);

    TLarkHTMLStorageItems read(nullptr);
    for (const QString& fileName : files) {
        const QString path = dir.filePath(fileName);
        const Fragment fragment = ParseFileName(fileName);
        if (fragment.Position != read.Count())
            Fail(path, u"expected the name %1_<page>.html"_s.arg(read.Count(), 2, 10, QChar(u'0')));
        TLarkHTMLStorageItem* page = read.Add();
        page->SetName(fragment.Name);
        TStringList lines;
        for (const QString& line : ReadLines(path))
            lines.Add(line);
        page->SetLines(lines);
    }
    Pages.Assign(read);
}

} // namespace lark::tour
