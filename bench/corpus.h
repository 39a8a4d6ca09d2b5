#pragma once
// The benchmark inputs, read once at start-up (see the corpus README).

#include <QString>
#include <QStringList>

namespace lark::bench {

struct Corpus
{
    QString label;    // label.html: a dialog caption with about ten tags
    QString page;     // page.html: a 52 KB help page
    QStringList rows; // rows.txt: one list row per line
    QString longrun;  // longrun.html: one 20 KB paragraph of plain words
    QString longrun2; // the same paragraph twice, for the linearity check
};

// Reads the corpus from $LARK_BENCH_CORPUS or the folder built in. Returns
// false, with error set, when a file is missing or empty.
bool LoadCorpus(Corpus& corpus, QString& error);

// The corpus of this run; valid after LoadCorpus succeeded in main().
const Corpus& TheCorpus();
void SetCorpus(Corpus corpus);

} // namespace lark::bench
