// lark_hostile_data: one hostile list or database case per run, with the wall
// time of each step, so that scripts/hostile-data.sh can run every case in a
// process of its own and read the peak memory from /usr/bin/time.
//
//   lark_hostile_data CASE [--pg-cluster SCRIPT STATE_DIR] [--divisor N]
//   lark_hostile_data --list
//
// Exit status: 0 when the library held, 1 when the case found a fault, 2 for
// a usage error.
#include "data_cases.h"

#include <lark/framework/framework.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <vector>

using namespace Qt::StringLiterals;

namespace lark::hostile {

namespace {

void Print(const QString& line)
{
    std::fputs(qPrintable(line + u'\n'), stdout);
    std::fflush(stdout);
}

std::vector<DataCase> AllCases()
{
    std::vector<DataCase> all;
    for (auto* cases : { &ListCases, &DbCases }) {
        int count = 0;
        const DataCase* first = (*cases)(count);
        all.insert(all.end(), first, first + count);
    }
    return all;
}

int Usage()
{
    QStringList names;
    for (const DataCase& c : AllCases())
        names.append(QString::fromLatin1(c.name));
    Print(u"usage: lark_hostile_data CASE [--pg-cluster SCRIPT STATE_DIR] [--divisor N]\n"
          "       lark_hostile_data --list\ncases: "_s
          + names.join(u' '));
    return 2;
}

} // namespace

void Step(const QString& what, const std::function<QString()>& step)
{
    QElapsedTimer timer;
    timer.start();
    const QString note = step();
    Print(u"%1\t%2 ms\t%3"_s.arg(what).arg(timer.nsecsElapsed() / 1e6, 0, 'f', 1).arg(note.left(300)));
}

} // namespace lark::hostile

int main(int argc, char** argv)
{
    using namespace lark::hostile;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    lark::InitializeFramework();

    const QStringList args = app.arguments().mid(1);
    if (args == QStringList{ u"--list"_s }) {
        for (const DataCase& c : AllCases())
            Print(QString::fromLatin1(c.name));
        return 0;
    }
    QTemporaryDir work;
    DataCaseContext context;
    context.WorkDir = work.path();
    QString name;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == u"--pg-cluster"_s && i + 2 < args.size()) {
            context.PgClusterScript = args[++i];
            context.PgState = args[++i];
        } else if (args[i] == u"--divisor"_s && i + 1 < args.size()) {
            context.Divisor = std::max(1, args[++i].toInt());
        } else if (name.isEmpty()) {
            name = args[i];
        } else {
            return Usage();
        }
    }
    for (const DataCase& c : AllCases()) {
        if (name != QString::fromLatin1(c.name))
            continue;
        Print(u"%1: %2"_s.arg(name, QString::fromLatin1(c.description)));
        const QString problem = c.run(context);
        Print(problem.isEmpty() ? u"held"_s : u"FAULT: "_s + problem);
        return problem.isEmpty() ? 0 : 1;
    }
    return Usage();
}
