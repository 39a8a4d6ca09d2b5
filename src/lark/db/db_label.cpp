// The data-aware label: the label's caption driven by a field data link.
#include <lark/db/db_label.h>

namespace lark {

TLarkHTMLDBLabel::TLarkHTMLDBLabel(QWidget* parent)
    : TLarkCustomHTMLLabel(parent)
    , TLarkHTMLDBControl(this, {.Relayout = [this] { DoUpdate(); },
                                .ShowText = [this](const QString& text) { SetCaption(text); },
                                .EmitDataChange = [this](QObject* sender) { Q_EMIT dataChange(sender); },
                                .DesignName = [this] { return IsDesigning() ? objectName() : QString(); }})
{
}

TLarkHTMLDBLabel::~TLarkHTMLDBLabel()
{
    ReleaseBinding();
    ReleaseHost();
}

void TLarkHTMLDBLabel::TriggerVariableNeededEvent(QObject* sender, const QString& aVarName, QString& aVarValue)
{
    if (!FillVariable(aVarName, aVarValue))
        TLarkCustomHTMLLabel::TriggerVariableNeededEvent(sender, aVarName, aVarValue);
}

} // namespace lark
