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

TDBBinding::TDBBinding(QObject* control, Hooks aHooks)
    : FControl(control)
    , FHooks(std::move(aHooks))
{
}

TDBBinding::~TDBBinding()
{
    FDataLink.OnDataChange = nullptr;
    FDataLink.OnActiveChange = nullptr;
}

void TDBBinding::ConnectDataChange(std::function<void(QObject* sender)> handler)
{
    FControlDataChange = std::move(handler);
    FDataLink.OnDataChange = [this](QObject* sender) { FControlDataChange(sender); };
}

void TDBBinding::SetDataField(const QString& value)
{
    FDataLink.SetFieldName(value);
}

void TDBBinding::SetDataSource(TDataSource* value)
{
    FDataLink.SetDataSource(value);
}

void TDBBinding::SetIsTemplate(bool value)
{
    if (value == FIsTemplate)
        return;
    FIsTemplate = value;
    if (value)
        FOldFieldName = FDataLink.FieldName();
    else
        RebindQuietly(FOldFieldName);
    if (FControlDataChange)
        FControlDataChange(FControl);
}

void TDBBinding::RebindQuietly(const QString& fieldName)
{
    const bool wasChanging = std::exchange(FDataChanging, true);
    const auto restore = qScopeGuard([this, wasChanging] { FDataChanging = wasChanging; });
    FDataLink.SetFieldName(fieldName);
}

void TDBBinding::DataChange(QObject* sender)
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
        FHooks.Notify(sender);
}

QString TDBBinding::GetFieldText() const
{
    if (const TField* field = FDataLink.Field())
        return field->AsString();
    return FHooks.DesignName();
}

bool TDBBinding::FillVariable(const QString& name, QString& value)
{
    if (!FIsTemplate)
        return false;
    const TDataSet* dataSet = FDataLink.DataSet();
    if (!dataSet || !FDataLink.Active() || !dataSet->FindField(name))
        return false;
    RebindQuietly(name);
    value = GetFieldText();
    return true;
}

} // namespace lark::detail
