#pragma once
// The hostile inputs lark_hostile and scripts/hostile-inputs.sh run: each a
// name and a generator of the snippet. Sizes are the full ones; a caller
// wanting a quick run scales them down with a divisor.
#include <QString>
#include <QStringList>

namespace lark::hostile {

struct HostileCase
{
    const char* name;
    const char* description;
    // Builds the snippet. imageDir is where a small PNG lives for the cases
    // that stretch a real picture ("" when there is none); divisor shrinks
    // the repeated parts (1 for the full size).
    QString (*build)(const QString& imageDir, int divisor);
};

// All cases, in the order the report lists them.
const HostileCase* Cases(int& count);
const HostileCase* FindCase(const QString& name);
QStringList CaseNames();

// Writes the small PNG the image cases refer to into dir.
bool WriteImage(const QString& dir);

} // namespace lark::hostile
