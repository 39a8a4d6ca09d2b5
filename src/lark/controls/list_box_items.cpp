// The rows of a list box: every change reaches the list box before and
// after it happens, row by row, so that the view, the measured heights and
// the horizontal extent follow it without a full re-layout.
#include <lark/controls/list_box.h>

#include <QScopeGuard>
#include <QStringList>

#include <algorithm>

namespace lark {

namespace {

bool SortsBefore(const QString& a, const QString& b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
}

// Holds a counter up for a scope, also when the change throws.
class TCounterScope
{
public:
    explicit TCounterScope(int& counter)
        : FCounter(counter)
    {
        ++FCounter;
    }
    ~TCounterScope() { --FCounter; }
    TCounterScope(const TCounterScope&) = delete;
    TCounterScope& operator=(const TCounterScope&) = delete;

private:
    int& FCounter;
};

} // namespace

int TLarkListBoxStrings::SortedIndexOf(const QString& line) const
{
    const QStringList& lines = ToStringList();
    // After equal lines, so that lines added in turn keep their order.
    return int(std::upper_bound(lines.begin(), lines.end(), line, SortsBefore) - lines.begin());
}

int TLarkListBoxStrings::Add(const QString& line)
{
    const int index = FOwner->Sorted() ? SortedIndexOf(line) : Count();
    Insert(index, line);
    return index;
}

void TLarkListBoxStrings::Insert(int index, const QString& line)
{
    if (index < 0 || index > Count()) {
        TLarkHTMLStrings::Insert(index, line); // raises the index error
        return;
    }
    const TCounterScope scope(FRowOperation);
    FOwner->RowsInserting(index, index);
    TLarkHTMLStrings::Insert(index, line);
    FOwner->RowsInserted(index, index);
}

void TLarkListBoxStrings::Delete(int index)
{
    if (index < 0 || index >= Count()) {
        TLarkHTMLStrings::Delete(index);
        return;
    }
    const TCounterScope scope(FRowOperation);
    FOwner->RowsRemoving(index, index);
    TLarkHTMLStrings::Delete(index);
    FOwner->RowsRemoved();
}

void TLarkListBoxStrings::SetStrings(int index, const QString& value)
{
    if (index < 0 || index >= Count()) {
        TLarkHTMLStrings::SetStrings(index, value);
        return;
    }
    const TCounterScope scope(FRowOperation);
    FOwner->RowChanging(index);
    TLarkHTMLStrings::SetStrings(index, value);
    FOwner->RowChanged(index);
}

void TLarkListBoxStrings::Clear()
{
    if (Count() == 0)
        return;
    WholeListChange([this] { TLarkHTMLStrings::Clear(); });
}

void TLarkListBoxStrings::SetText(const QString& text)
{
    ::lark::TStringList lines;
    lines.SetText(text);
    Assign(lines);
}

void TLarkListBoxStrings::Assign(const TLarkHTMLStrings& source)
{
    Assign(source.AsStringList());
}

void TLarkListBoxStrings::Assign(const ::lark::TStringList& source)
{
    QStringList lines = source.ToStringList();
    if (FOwner->Sorted())
        std::stable_sort(lines.begin(), lines.end(), SortsBefore);
    WholeListChange([this, &lines] { TLarkHTMLStrings::Assign(::lark::TStringList(lines)); });
}

void TLarkListBoxStrings::EndUpdate()
{
    // The changes inside the bracket were passed on one by one already.
    const TCounterScope scope(FRowOperation);
    TLarkHTMLStrings::EndUpdate();
}

void TLarkListBoxStrings::WholeListChange(const std::function<void()>& change)
{
    const TCounterScope scope(FRowOperation);
    FOwner->RowsResetting();
    const auto done = qScopeGuard([this] { FOwner->RowsReset(); });
    change();
}

void TLarkListBoxStrings::Changed()
{
    if (FRowOperation == 0) {
        // Nobody said what changed: the list box starts over.
        FOwner->RowsResetting();
        FOwner->RowsReset();
    }
    TLarkHTMLStrings::Changed();
}

} // namespace lark
