// Data links: activity follows the source and its dataset; a field link
// rebinds its field whenever what it names might be another field.
#include <lark/db/data_link.h>

#include <lark/db/data_source.h>
#include <lark/db/dataset.h>
#include <lark/db/field.h>

namespace lark {

//---- TDataLink ------------------------------------------------------------

TDataLink::TDataLink(QObject* parent)
    : QObject(parent)
{
}

TDataLink::~TDataLink()
{
    if (FDataSource)
        FDataSource->RemoveDataLink(this);
}

void TDataLink::SetDataSource(TDataSource* value)
{
    if (value == FDataSource)
        return;
    if (FDataSource)
        FDataSource->RemoveDataLink(this);
    FDataSource = value;
    if (FDataSource)
        FDataSource->AddDataLink(this);
    UpdateState();
}

TDataSet* TDataLink::DataSet() const
{
    return FDataSource ? FDataSource->DataSet() : nullptr;
}

// Another dataset behind an active link counts as a change of state too:
// what the link showed came from the old one.
void TDataLink::UpdateState()
{
    const bool active = FDataSource && FDataSource->IsActive();
    TDataSet* bound = active ? FDataSource->DataSet() : nullptr;
    if (active == FActive && bound == FBoundDataSet)
        return;
    FActive = active;
    FBoundDataSet = bound;
    ActiveChanged();
}

void TDataLink::DataEvent(TDataEvent event, TField* info)
{
    if (event == deActiveChanged) {
        UpdateState();
        return;
    }
    if (!FActive)
        return;
    switch (event) {
    case deLayoutChange:
        LayoutChanged();
        break;
    case deDataSetChange:
        DataSetChanged();
        break;
    case deDataSetScroll:
        DataSetScrolled();
        break;
    case deRecordChange:
        RecordChanged(info);
        break;
    case deActiveChanged:
        break;
    }
}

//---- TFieldDataLink -------------------------------------------------------

TFieldDataLink::TFieldDataLink(QObject* parent)
    : TDataLink(parent)
{
}

void TFieldDataLink::SetFieldName(const QString& value)
{
    if (value == FFieldName)
        return;
    FFieldName = value;
    UpdateField();
}

void TFieldDataLink::UpdateField()
{
    TField* field = nullptr;
    if (Active() && !FFieldName.isEmpty())
        field = DataSet()->FindField(FFieldName);
    if (field == FField)
        return;
    FField = field;
    RecordChanged(nullptr);
}

void TFieldDataLink::ActiveChanged()
{
    UpdateField();
    if (OnActiveChange)
        OnActiveChange(this);
}

void TFieldDataLink::LayoutChanged()
{
    // A field kept by name may now read another column (its own went, or
    // moved): the control shows it again even when the field is the same.
    const TField* before = FField;
    UpdateField();
    if (FField == before)
        RecordChanged(nullptr);
}

void TFieldDataLink::RecordChanged(TField* field)
{
    if ((!field || field == FField) && OnDataChange)
        OnDataChange(this);
}

} // namespace lark
