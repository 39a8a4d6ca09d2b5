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

void TDataLink::SetDataSource(TDataSource* Value)
{
    if (Value == FDataSource)
        return;
    if (FDataSource)
        FDataSource->RemoveDataLink(this);
    FDataSource = Value;
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

void TDataLink::DataEvent(TDataEvent Event, TField* Info)
{
    if (Event == deActiveChanged) {
        UpdateState();
        return;
    }
    if (!FActive)
        return;
    switch (Event) {
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
        RecordChanged(Info);
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

void TFieldDataLink::SetFieldName(const QString& Value)
{
    if (Value == FFieldName)
        return;
    FFieldName = Value;
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

void TFieldDataLink::RecordChanged(TField* Field)
{
    if ((!Field || Field == FField) && OnDataChange)
        OnDataChange(this);
}

} // namespace lark
