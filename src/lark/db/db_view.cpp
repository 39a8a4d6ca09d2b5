// The data-aware view: the view's caption driven by a field data link. Every
// record shows from the top; a caption is parsed only when its text differs
// (the view parses every caption it is given).
#include <lark/db/db_view.h>

namespace lark {

TLarkHTMLDBView::TLarkHTMLDBView(QWidget* parent)
    : TLarkHTMLView(parent)
    , TLarkHTMLDBControl(this, {.Relayout = [this] { ContentChanged(); },
                                .ShowText =
                                    [this](const QString& text) {
                                        if (text != Caption())
                                            SetCaption(text);
                                    },
                                .EmitDataChange = [this](QObject* sender) { Q_EMIT dataChange(sender); },
                                .DesignName = [this] { return IsDesigning() ? objectName() : QString(); }})
{
}

TLarkHTMLDBView::~TLarkHTMLDBView()
{
    ReleaseBinding();
    ReleaseHost();
}

void TLarkHTMLDBView::TriggerVariableNeededEvent(QObject* sender, const QString& aVarName, QString& aVarValue)
{
    if (!FillVariable(aVarName, aVarValue))
        TLarkHTMLView::TriggerVariableNeededEvent(sender, aVarName, aVarValue);
}

} // namespace lark
