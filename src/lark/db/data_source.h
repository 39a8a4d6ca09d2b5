#pragma once
// TDataSource: the connector between one dataset and any number of data
// links (data-aware controls, navigators, grids).
//
//     TDataSource source;
//     source.SetDataSet(&table);
//     label->SetDataSource(&source);
//     label->SetDataField(u"notes"_s);
//     source.OnDataChange = [](QObject*, TField* field) { ... };
//
// A disabled source (Enabled false) looks closed to its links: they drop
// their fields and show nothing until it is enabled again. Neither the
// dataset nor the links are owned; a dataset or link that is destroyed
// leaves the source by itself.

#include <lark/db/dataset.h>
#include <lark/db/db_types.h>
#include <lark/framework/object.h>

#include <QList>
#include <QObject>

#include <functional>

namespace lark {

class TDataLink;
class TField;

// Data of the dataset changed; Field is the one field whose value changed,
// or nullptr when the record moved or more than one field changed.
using TDataChangeEvent = std::function<void(QObject* sender, TField* field)>;

class TDataSource : public QObject
{
    Q_OBJECT
    Q_PROPERTY(lark::TDataSet* DataSet READ DataSet WRITE SetDataSet STORED false)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled RESET ResetEnabled)

public:
    explicit TDataSource(QObject* parent = nullptr);
    ~TDataSource() override;

    TDataSet* DataSet() const { return FDataSet; }
    void SetDataSet(TDataSet* value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    void ResetEnabled() { SetEnabled(true); }
    // Enabled and the dataset open: what the links see as active.
    bool IsActive() const;

    // Opened, closed, enabled, disabled or given another dataset.
    TNotifyEvent OnStateChange;
    // The current record moved or data changed.
    TDataChangeEvent OnDataChange;

Q_SIGNALS:
    void stateChanged();
    void dataChanged(lark::TField* field);

private:
    friend class TDataSet;
    friend class TDataLink;
    void DataEvent(TDataEvent event, TField* info);
    void DataSetDestroyed(TDataSet* dataSet);
    void NotifyLinks(TDataEvent event, TField* info);
    void StateChanged();
    void AddDataLink(TDataLink* link);
    void RemoveDataLink(TDataLink* link);

    TDataSet* FDataSet = nullptr; // the dataset tells us when it goes
    bool FEnabled = true;
    QList<TDataLink*> FDataLinks;
};

} // namespace lark
