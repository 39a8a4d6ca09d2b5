#pragma once
// Data links: how a control follows a data source.
//
// TDataLink hears its source's events and turns them into calls of its
// overridable handlers; TFieldDataLink follows one field of the current
// record, which is what single-field data-aware controls need:
//
//     TFieldDataLink link;
//     link.OnDataChange = [&](QObject*) { edit->setText(link.Field() ? link.Field()->AsString() : QString()); };
//     link.SetDataSource(&source);
//     link.SetFieldName(u"name"_s);
//
// A link is active while its source is enabled and the source's dataset is
// open. Links only read: nothing here writes to a dataset.

#include <lark/db/db_types.h>
#include <lark/db/field.h>
#include <lark/framework/object.h>

#include <QObject>
#include <QPointer>
#include <QString>

namespace lark {

class TDataSet;
class TDataSource;

class TDataLink : public QObject
{
    Q_OBJECT

public:
    explicit TDataLink(QObject* parent = nullptr);
    ~TDataLink() override;

    // Not owned; a source that is destroyed leaves the link by itself.
    TDataSource* DataSource() const { return FDataSource; }
    void SetDataSource(TDataSource* value);
    // The source's dataset, or nullptr.
    TDataSet* DataSet() const;
    // The source is enabled and its dataset open.
    bool Active() const { return FActive; }

protected:
    // The link became active or inactive, or now reads another dataset.
    virtual void ActiveChanged() {}
    // The dataset's fields changed.
    virtual void LayoutChanged() { DataSetChanged(); }
    // Rows changed (inserted, removed, moved, read again).
    virtual void DataSetChanged() { RecordChanged(nullptr); }
    // The current record moved.
    virtual void DataSetScrolled() { DataSetChanged(); }
    // Values of the current record changed: Field alone, or all (nullptr).
    virtual void RecordChanged(TField* field) { (void)field; }

private:
    friend class TDataSource;
    void DataEvent(TDataEvent event, TField* info);
    void UpdateState();

    TDataSource* FDataSource = nullptr; // cleared by the source when it goes
    QPointer<TDataSet> FBoundDataSet;
    bool FActive = false;
};

// Follows one field, found by name (letter case ignored) whenever the name,
// the dataset or its fields change.
class TFieldDataLink : public TDataLink
{
    Q_OBJECT

public:
    explicit TFieldDataLink(QObject* parent = nullptr);

    QString FieldName() const { return FFieldName; }
    // Binds the field of that name; OnDataChange runs when that makes the
    // link show another field (or none).
    void SetFieldName(const QString& value);
    // The bound field; nullptr while inactive or when no field has the name.
    TField* Field() const { return FField; }

    // The field's value may have changed: another record, another field,
    // new data. Sender is the link.
    TNotifyEvent OnDataChange;
    // The link became active or inactive.
    TNotifyEvent OnActiveChange;

protected:
    void ActiveChanged() override;
    void LayoutChanged() override;
    void RecordChanged(TField* field) override;

private:
    void UpdateField();

    QString FFieldName;
    QPointer<TField> FField;
};

} // namespace lark
