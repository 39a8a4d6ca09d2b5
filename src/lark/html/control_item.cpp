// Embedded control items: lifetime of the control and writing the item back
// as HTML with the control's current property values.
#include <lark/framework/class_registry.h>
#include <lark/framework/color.h>
#include <lark/html/attributes_p.h>
#include <lark/html/data.h>
#include <lark/html/items.h>
#include <lark/html/render.h>
#include <lark/html/values.h>

#include <cstdint>

using namespace Qt::StringLiterals;

namespace lark {

namespace {

// A property value as text the control tag reads back: integers that equal a
// colour value are written as its identifier ("clRed"), since that is how a
// colour is best written in a tag.
QString PropertyText(const ClassRegistry& registry, const QWidget* control, const TPropInfo& info)
{
    if (info.Kind != TTypeKind::tkInteger && info.Kind != TTypeKind::tkInt64)
        return registry.GetPropText(control, info);
    const std::int64_t value = registry.GetOrdProp(control, info);
    // A 32-bit property holds system colours as negative numbers.
    const bool fits = info.Kind == TTypeKind::tkInteger ? value >= INT32_MIN && value <= INT32_MAX
                                                        : value >= 0 && value <= UINT32_MAX;
    QString ident;
    if (fits && ColorToIdent(TColor(std::uint32_t(value)), ident))
        return ident;
    return QString::number(value);
}

} // namespace

TLarkHTMLControlItem::TLarkHTMLControlItem(TLarkHTMLData* Owner)
    : TLarkHTMLItem(Owner)
{
    FItemType = hitControl;
}

TLarkHTMLControlItem::~TLarkHTMLControlItem()
{
    // While the render object dies its host frees the control as a child.
    const TLarkHTMLRender* render = FOwner ? FOwner->Render() : nullptr;
    if (render && render->Destroying())
        return;
    delete FControl.data();
}

void TLarkHTMLControlItem::GetItemHTML(QString& S) const
{
    S.clear();
    const QWidget* control = FControl.data();
    if (!control)
        return;
    const ClassRegistry& registry = ClassRegistry::Instance();
    QString className = registry.ClassNameOf(control);
    if (className.isEmpty())
        className = FControlClass;
    S = u"<control vclclass=\""_s + className + u"\" "_s;
    for (int i = 0; i < FControlPropList.Count(); ++i) {
        const QString name = UnquoteValue(FControlPropList.Names(i));
        const std::optional<TPropInfo> info = registry.GetPropInfo(control, name);
        if (!info)
            continue;
        S += name + u'=' + detail::QuoteAttribute(PropertyText(registry, control, *info)) + u' ';
    }
    S += u'>';
}

} // namespace lark
