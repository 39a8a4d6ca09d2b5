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

void TDataSource::SetDataSet(TDataSet* value)
{
    if (value == FDataSet)
        return;
    if (FDataSet)
        FDataSet->DetachDataSource(this);
    FDataSet = value;
    if (FDataSet)
        FDataSet->AttachDataSource(this);
    NotifyLinks(deActiveChanged, nullptr);
    StateChanged();
}

void TDataSource::SetEnabled(bool value)
{
    if (value == FEnabled)
        return;
    FEnabled = value;
    NotifyLinks(deActiveChanged, nullptr);
    StateChanged();
}

bool TDataSource::IsActive() const
{
    return FEnabled && FDataSet && FDataSet->Active();
}

void TDataSource::DataSetDestroyed(TDataSet* dataSet)
{
    if (dataSet != FDataSet)
        return;
    FDataSet = nullptr;
    NotifyLinks(deActiveChanged, nullptr);
    StateChanged();
}

void TDataSource::DataEvent(TDataEvent event, TField* info)
{
    if (!FEnabled)
        return;
    const QPointer<TDataSource> alive(this);
    NotifyLinks(event, info);
    if (!alive)
        return;
    if (event == deActiveChanged) {
        StateChanged();
        return;
    }
    if (event == deLayoutChange)
        return;
    if (OnDataChange)
        OnDataChange(this, info);
    if (alive)
        Q_EMIT dataChanged(info);
}

void TDataSource::NotifyLinks(TDataEvent event, TField* info)
{
    // A link may leave (its control destroyed) while another is told.
    const QList<TDataLink*> links = FDataLinks;
    for (TDataLink* link : links) {
        if (FDataLinks.contains(link))
            link->DataEvent(event, info);
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

void TDataSource::AddDataLink(TDataLink* link)
{
    if (!FDataLinks.contains(link))
        FDataLinks.append(link);
}

void TDataSource::RemoveDataLink(TDataLink* link)
{
    FDataLinks.removeAll(link);
}

} // namespace lark
