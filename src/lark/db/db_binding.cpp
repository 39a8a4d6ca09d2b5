// The data-aware controls' two modes. DataChange never runs inside itself:
// filling a template rebinds the link once per variable, and each rebinding
// notifies, which must not start another re-layout (nor tell the
// application of a change that did not happen).
#include "lark/db/db_binding_p.h"

#include <lark/db/dataset.h>
#include <lark/db/field.h>

#include <QPointer>
#include <QScopeGuard>

#include <utility>

namespace lark::detail {

TDBBinding::TDBBinding(QObject* Control, Hooks aHooks)
    : FControl(Control)
    , FHooks(std::move(aHooks))
{
}

TDBBinding::~TDBBinding()
{
    FDataLink.OnDataChange = nullptr;
    FDataLink.OnActiveChange = nullptr;
}

void TDBBinding::ConnectDataChange(std::function<void(QObject* Sender)> Handler)
{
    FControlDataChange = std::move(Handler);
    FDataLink.OnDataChange = [this](QObject* Sender) { FControlDataChange(Sender); };
}

void TDBBinding::SetDataField(const QString& Value)
{
    FDataLink.SetFieldName(Value);
}

void TDBBinding::SetDataSource(TDataSource* Value)
{
    FDataLink.SetDataSource(Value);
}

void TDBBinding::SetIsTemplate(bool Value)
{
    if (Value == FIsTemplate)
        return;
    FIsTemplate = Value;
    if (Value)
        FOldFieldName = FDataLink.FieldName();
    else
        RebindQuietly(FOldFieldName);
    if (FControlDataChange)
        FControlDataChange(FControl);
}

void TDBBinding::RebindQuietly(const QString& FieldName)
{
    const bool wasChanging = std::exchange(FDataChanging, true);
    const auto restore = qScopeGuard([this, wasChanging] { FDataChanging = wasChanging; });
    FDataLink.SetFieldName(FieldName);
}

void TDBBinding::DataChange(QObject* Sender)
{
    if (FDataChanging)
        return;
    // The control may go while it shows the new text (an event handler).
    const QPointer<QObject> alive(FControl);
    {
        FDataChanging = true;
        const auto done = qScopeGuard([this, &alive] {
            if (alive)
                FDataChanging = false;
        });
        if (FIsTemplate)
            FHooks.Relayout();
        else
            FHooks.ShowText(GetFieldText());
    }
    if (alive)
        FHooks.Notify(Sender);
}

QString TDBBinding::GetFieldText() const
{
    if (const TField* field = FDataLink.Field())
        return field->AsString();
    return FHooks.DesignName();
}

bool TDBBinding::FillVariable(const QString& Name, QString& Value)
{
    if (!FIsTemplate)
        return false;
    const TDataSet* dataSet = FDataLink.DataSet();
    if (!dataSet || !FDataLink.Active() || !dataSet->FindField(Name))
        return false;
    RebindQuietly(Name);
    Value = GetFieldText();
    return true;
}

} // namespace lark::detail
