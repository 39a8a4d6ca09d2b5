// The data source passes its dataset's events on to its links, then to its
// own handlers, so that the application hears of a change after the controls
// showed it.
#include <lark/db/data_source.h>

#include <lark/db/data_link.h>
#include <lark/db/dataset.h>

#include <QPointer>

#include <utility>

namespace lark {

TDataSource::TDataSource(QObject* parent)
    : QObject(parent)
{
}

TDataSource::~TDataSource()
{
    if (FDataSet)
        FDataSet->DetachDataSource(this);
    FDataSet = nullptr;
    for (TDataLink* link : std::exchange(FDataLinks, {})) {
        link->FDataSource = nullptr;
        link->UpdateState();
    }
}

void TDataSource::SetDataSet(TDataSet* Value)
{
    if (Value == FDataSet)
        return;
    if (FDataSet)
        FDataSet->DetachDataSource(this);
    FDataSet = Value;
    if (FDataSet)
        FDataSet->AttachDataSource(this);
    NotifyLinks(deActiveChanged, nullptr);
    StateChanged();
}

void TDataSource::SetEnabled(bool Value)
{
    if (Value == FEnabled)
        return;
    FEnabled = Value;
    NotifyLinks(deActiveChanged, nullptr);
    StateChanged();
}

bool TDataSource::IsActive() const
{
    return FEnabled && FDataSet && FDataSet->Active();
}

void TDataSource::DataSetDestroyed(TDataSet* DataSet)
{
    if (DataSet != FDataSet)
        return;
    FDataSet = nullptr;
    NotifyLinks(deActiveChanged, nullptr);
    StateChanged();
}

void TDataSource::DataEvent(TDataEvent Event, TField* Info)
{
    if (!FEnabled)
        return;
    const QPointer<TDataSource> alive(this);
    NotifyLinks(Event, Info);
    if (!alive)
        return;
    if (Event == deActiveChanged) {
        StateChanged();
        return;
    }
    if (Event == deLayoutChange)
        return;
    if (OnDataChange)
        OnDataChange(this, Info);
    if (alive)
        Q_EMIT dataChanged(Info);
}

void TDataSource::NotifyLinks(TDataEvent Event, TField* Info)
{
    // A link may leave (its control destroyed) while another is told.
    const QList<TDataLink*> links = FDataLinks;
    for (TDataLink* link : links) {
        if (FDataLinks.contains(link))
            link->DataEvent(Event, Info);
    }
}

void TDataSource::StateChanged()
{
    const QPointer<TDataSource> alive(this);
    if (OnStateChange)
        OnStateChange(this);
    if (alive)
        Q_EMIT stateChanged();
}

void TDataSource::AddDataLink(TDataLink* Link)
{
    if (!FDataLinks.contains(Link))
        FDataLinks.append(Link);
}

void TDataSource::RemoveDataLink(TDataLink* Link)
{
    FDataLinks.removeAll(Link);
}

} // namespace lark
