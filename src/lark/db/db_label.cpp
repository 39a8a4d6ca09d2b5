// The data-aware label: the label's caption driven by a field data link.
#include <lark/db/db_label.h>

#include "lark/db/db_binding_p.h"

#include <QPointer>

namespace lark {

TLarkHTMLDBLabel::TLarkHTMLDBLabel(QWidget* parent)
    : TLarkCustomHTMLLabel(parent)
{
    detail::TDBBinding::Hooks hooks;
    hooks.Relayout = [this] { DoUpdate(); };
    hooks.ShowText = [this](const QString& Text) { SetCaption(Text); };
    hooks.Notify = [this](QObject* Sender) {
        const QPointer<TLarkHTMLDBLabel> alive(this);
        if (OnDataChange)
            OnDataChange(Sender);
        if (alive)
            Q_EMIT dataChange(Sender);
    };
    hooks.DesignName = [this] { return IsDesigning() ? objectName() : QString(); };
    FBinding = std::make_unique<detail::TDBBinding>(this, std::move(hooks));
    FBinding->ConnectDataChange([this](QObject* Sender) { DataChange(Sender); });
}

TLarkHTMLDBLabel::~TLarkHTMLDBLabel()
{
    // The link is disarmed and leaves its source before the label goes.
    FBinding.reset();
    ReleaseHost();
}

QString TLarkHTMLDBLabel::DataField() const
{
    return FBinding->DataField();
}

void TLarkHTMLDBLabel::SetDataField(const QString& Value)
{
    FBinding->SetDataField(Value);
}

TDataSource* TLarkHTMLDBLabel::DataSource() const
{
    return FBinding->DataSource();
}

void TLarkHTMLDBLabel::SetDataSource(TDataSource* Value)
{
    FBinding->SetDataSource(Value);
}

bool TLarkHTMLDBLabel::IsTemplate() const
{
    return FBinding->IsTemplate();
}

void TLarkHTMLDBLabel::SetIsTemplate(bool Value)
{
    FBinding->SetIsTemplate(Value);
}

TFieldDataLink* TLarkHTMLDBLabel::DataLink() const
{
    return &FBinding->Link();
}

void TLarkHTMLDBLabel::DataChange(QObject* Sender)
{
    FBinding->DataChange(Sender);
}

QString TLarkHTMLDBLabel::GetFieldText() const
{
    return FBinding->GetFieldText();
}

void TLarkHTMLDBLabel::TriggerVariableNeededEvent(QObject* Sender, const QString& aVarName, QString& aVarValue)
{
    if (!FBinding || !FBinding->FillVariable(aVarName, aVarValue))
        TLarkCustomHTMLLabel::TriggerVariableNeededEvent(Sender, aVarName, aVarValue);
}

} // namespace lark
