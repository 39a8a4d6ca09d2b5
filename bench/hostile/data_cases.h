#pragma once
// The hostile cases of lark_hostile_data: lists and databases pushed past
// what a form normally gives them. Each case runs its steps, prints the time
// of each (Step) and returns an empty string when the library held (no
// crash, the documented error, nothing written), else what went wrong.
#include <QString>

#include <functional>

namespace lark::hostile {

struct DataCaseContext
{
    // Where a case may create files (a fresh folder per run).
    QString WorkDir;
    // tests/db/pg_cluster.sh and a state folder for it; empty to skip the
    // PostgreSQL case.
    QString PgClusterScript;
    QString PgState;
    // 1 for the full sizes; larger divides the row counts and row sizes.
    int Divisor = 1;
};

struct DataCase
{
    const char* name;
    const char* description;
    QString (*run)(const DataCaseContext& context);
};

// Runs step, prints its wall time with the note it returns.
void Step(const QString& what, const std::function<QString()>& step);

// list_cases.cpp
const DataCase* ListCases(int& count);
// db_cases.cpp
const DataCase* DbCases(int& count);

} // namespace lark::hostile
