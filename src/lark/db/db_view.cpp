// The data-aware view: the view's caption driven by a field data link.
#include <lark/db/db_view.h>

#include "lark/db/db_binding_p.h"

#include <QPointer>

namespace lark {

TLarkHTMLDBView::TLarkHTMLDBView(QWidget* parent)
    : TLarkHTMLView(parent)
{
    detail::TDBBinding::Hooks hooks;
    hooks.Relayout = [this] { ContentChanged(); };
    hooks.ShowText = [this](const QString& Text) {
        if (Text != Caption())
            SetCaption(Text);
    };
    hooks.Notify = [this](QObject* Sender) {
        const QPointer<TLarkHTMLDBView> alive(this);
        if (OnDataChange)
            OnDataChange(Sender);
        if (alive)
            Q_EMIT dataChange(Sender);
    };
    hooks.DesignName = [this] { return IsDesigning() ? objectName() : QString(); };
    FBinding = std::make_unique<detail::TDBBinding>(this, std::move(hooks));
    FBinding->ConnectDataChange([this](QObject* Sender) { DataChange(Sender); });
}

TLarkHTMLDBView::~TLarkHTMLDBView()
{
    FBinding.reset();
    ReleaseHost();
}

QString TLarkHTMLDBView::DataField() const
{
    return FBinding->DataField();
}

void TLarkHTMLDBView::SetDataField(const QString& Value)
{
    FBinding->SetDataField(Value);
}

TDataSource* TLarkHTMLDBView::DataSource() const
{
    return FBinding->DataSource();
}

void TLarkHTMLDBView::SetDataSource(TDataSource* Value)
{
    FBinding->SetDataSource(Value);
}

bool TLarkHTMLDBView::IsTemplate() const
{
    return FBinding->IsTemplate();
}

void TLarkHTMLDBView::SetIsTemplate(bool Value)
{
    FBinding->SetIsTemplate(Value);
}

TFieldDataLink* TLarkHTMLDBView::DataLink() const
{
    return &FBinding->Link();
}

void TLarkHTMLDBView::DataChange(QObject* Sender)
{
    FBinding->DataChange(Sender);
}

QString TLarkHTMLDBView::GetFieldText() const
{
    return FBinding->GetFieldText();
}

void TLarkHTMLDBView::TriggerVariableNeededEvent(QObject* Sender, const QString& aVarName, QString& aVarValue)
{
    if (!FBinding || !FBinding->FillVariable(aVarName, aVarValue))
        TLarkHTMLView::TriggerVariableNeededEvent(Sender, aVarName, aVarValue);
}

} // namespace lark
