// The data binding of the data-aware controls, forwarded to TDBBinding.
#include <lark/db/db_control.h>

#include "lark/db/db_binding_p.h"

#include <QObject>
#include <QPointer>

#include <utility>

namespace lark {

TLarkHTMLDBControl::TLarkHTMLDBControl(QObject* control, TWidgetHooks hooks)
{
    detail::TDBBinding::Hooks bindingHooks;
    bindingHooks.Relayout = std::move(hooks.Relayout);
    bindingHooks.ShowText = std::move(hooks.ShowText);
    bindingHooks.DesignName = std::move(hooks.DesignName);
    bindingHooks.Notify = [this, control, emitDataChange = std::move(hooks.EmitDataChange)](QObject* sender) {
        // A handler may destroy the control.
        const QPointer<QObject> alive(control);
        if (OnDataChange)
            OnDataChange(sender);
        if (alive && emitDataChange)
            emitDataChange(sender);
    };
    FBinding = std::make_unique<detail::TDBBinding>(control, std::move(bindingHooks));
    FBinding->ConnectDataChange([this](QObject* sender) { DataChange(sender); });
}

TLarkHTMLDBControl::~TLarkHTMLDBControl() = default;

void TLarkHTMLDBControl::ReleaseBinding()
{
    FBinding.reset();
}

QString TLarkHTMLDBControl::DataField() const
{
    return FBinding->DataField();
}

void TLarkHTMLDBControl::SetDataField(const QString& value)
{
    FBinding->SetDataField(value);
}

TDataSource* TLarkHTMLDBControl::DataSource() const
{
    return FBinding->DataSource();
}

void TLarkHTMLDBControl::SetDataSource(TDataSource* value)
{
    FBinding->SetDataSource(value);
}

bool TLarkHTMLDBControl::IsTemplate() const
{
    return FBinding->IsTemplate();
}

void TLarkHTMLDBControl::SetIsTemplate(bool value)
{
    FBinding->SetIsTemplate(value);
}

TFieldDataLink* TLarkHTMLDBControl::DataLink() const
{
    return &FBinding->Link();
}

void TLarkHTMLDBControl::DataChange(QObject* sender)
{
    FBinding->DataChange(sender);
}

QString TLarkHTMLDBControl::GetFieldText() const
{
    return FBinding->GetFieldText();
}

bool TLarkHTMLDBControl::FillVariable(const QString& name, QString& value)
{
    return FBinding && FBinding->FillVariable(name, value);
}

} // namespace lark
