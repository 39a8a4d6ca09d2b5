#pragma once
// What the data-access classes share: the error they raise and the events a
// dataset sends to its data sources and their links.

#include <lark/framework/exceptions.h>

namespace lark {

class TField;

// A dataset that cannot do what was asked: no model to open, a field name
// that names no field, a database or table that cannot be opened (the
// message then carries the driver's own text).
class EDatabaseError : public Exception
{
public:
    using Exception::Exception;
};

// What changed in a dataset, as its links hear it.
enum TDataEvent {
    deActiveChanged,  // opened or closed
    deLayoutChange,   // the fields changed (columns added, removed, renamed)
    deDataSetChange,  // rows changed: inserted, removed, moved, reset, refreshed
    deDataSetScroll,  // the current record moved
    deRecordChange,   // values of the current record changed
};

} // namespace lark
