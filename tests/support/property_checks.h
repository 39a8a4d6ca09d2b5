#pragma once
// Checks of published properties as Qt Designer uses them: written and reset
// through the meta-object system.
#include <QObject>
#include <QVariant>

#include <span>

namespace lark::test {

struct PropertyResetCase
{
    const char* name;
    QVariant changed;
    QVariant expectedDefault;
};

// For each case: writes changed, reads it back, resets the property and
// expects expectedDefault.
void ExpectPropertiesReset(QObject& object, std::span<const PropertyResetCase> cases);

// Resets every property of the library's classes that has a RESET function,
// on a fresh object, and
// expects each to read what it read before: the reset and the constructor
// agree on the default. Returns how many properties were reset.
int ExpectFreshResetsKeepValues(QObject& object);

} // namespace lark::test
