#include "corpus.h"

#include <QDir>
#include <QFile>

#include <utility>

namespace lark::bench {

namespace {

Corpus gCorpus;

QString CorpusDir()
{
    const QString fromEnv = qEnvironmentVariable("LARK_BENCH_CORPUS");
    return fromEnv.isEmpty() ? QStringLiteral(LARK_BENCH_CORPUS_DIR) : fromEnv;
}

bool ReadFile(const QDir& dir, const char* name, QString& text, QString& error)
{
    QFile file(dir.filePath(QString::fromLatin1(name)));
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot read %1: %2").arg(file.fileName(), file.errorString());
        return false;
    }
    text = QString::fromUtf8(file.readAll());
    if (text.isEmpty()) {
        error = QStringLiteral("%1 is empty").arg(file.fileName());
        return false;
    }
    return true;
}

} // namespace

bool LoadCorpus(Corpus& corpus, QString& error)
{
    const QDir dir(CorpusDir());
    QString rows;
    if (!ReadFile(dir, "label.html", corpus.label, error) || !ReadFile(dir, "page.html", corpus.page, error)
        || !ReadFile(dir, "rows.txt", rows, error) || !ReadFile(dir, "longrun.html", corpus.longrun, error))
        return false;
    for (const QString& row : rows.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        QString line = row;
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (!line.isEmpty())
            corpus.rows.append(line);
    }
    // One paragraph twice as long: joined by a blank, not by the file's
    // trailing line end, which the engine would keep as a character.
    const QString paragraph = corpus.longrun.trimmed();
    corpus.longrun = paragraph;
    corpus.longrun2 = paragraph + QLatin1Char(' ') + paragraph;
    return true;
}

const Corpus& TheCorpus()
{
    return gCorpus;
}

void SetCorpus(Corpus corpus)
{
    gCorpus = std::move(corpus);
}

} // namespace lark::bench
