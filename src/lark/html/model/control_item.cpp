// Embedded control items: creating the control from a control tag through
// the class registry, sizing it and setting its properties from the tag's
// attributes, freeing it, and writing the item back as HTML with the
// control's current property values.
#include <lark/framework/class_registry.h>
#include <lark/framework/color.h>
#include <lark/framework/convert.h>
#include <lark/framework/exceptions.h>
#include <lark/framework/limits.h>
#include <lark/html/host/host_traits.h>
#include <lark/html/model/data.h>
#include <lark/html/model/items.h>
#include "lark/html/parse/attributes_p.h"
#include <lark/html/parse/values.h>
#include <lark/html/render.h>

#include <QWidget>

#include <cstdint>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace lark {

namespace {

constexpr int kDefaultControlWidth = 50;

bool IsSizeAttribute(QStringView name)
{
    return name == u"control" || name == u"width" || name == u"height" || name == u"vclclass";
}

bool IsUsableSize(std::int64_t size)
{
    return size > 0 && size <= limits::kMaxControlSize;
}

// The widget embedded controls become children of: the host itself, or the
// parent of a host that has no window of its own; nullptr when neither.
QWidget* ParentForControls(QWidget* host)
{
    if (!host)
        return nullptr;
    return IsWindowedHost(host) ? host : host->parentWidget();
}

// An integer property takes a colour identifier ("clRed") or a number; a
// leading "#" is dropped, the number itself is not reordered ("#$FF" is 255).
void SetOrdinalFromText(const ClassRegistry& registry, QWidget* control, const TPropInfo& info, const QString& value)
{
    if (value.startsWith(u"cl")) {
        TColor color = 0;
        if (!IdentToColor(value, color))
            return;
        const std::int64_t ordinal = info.Kind == TTypeKind::tkInteger ? std::int64_t(std::int32_t(color))
                                                                       : std::int64_t(color);
        registry.SetOrdProp(control, info, ordinal);
        return;
    }
    const QStringView number = value.startsWith(u'#') ? QStringView(value).sliced(1) : QStringView(value);
    if (info.Kind == TTypeKind::tkInteger)
        registry.SetOrdProp(control, info, StrToInt(number));
    else
        registry.SetOrdProp(control, info, StrToInt64(number));
}

void SetPropertyFromText(const ClassRegistry& registry, QWidget* control, const TPropInfo& info, const QString& value)
{
    switch (info.Kind) {
    case TTypeKind::tkInteger:
    case TTypeKind::tkInt64:
        SetOrdinalFromText(registry, control, info, value);
        break;
    case TTypeKind::tkFloat:
        registry.SetFloatProp(control, info, StrToFloat(value));
        break;
    case TTypeKind::tkEnumeration:
        registry.SetEnumProp(control, info, value);
        break;
    case TTypeKind::tkSet:
        registry.SetSetProp(control, info, value);
        break;
    case TTypeKind::tkWChar:
    case TTypeKind::tkWString:
        registry.SetWideStrProp(control, info, value);
        break;
    default:
        registry.SetStrProp(control, info, value);
        break;
    }
}

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

// Frees a control that may be running one of its own event handlers right
// now (a button whose click made the host load another document): hidden at
// once, deleted when control returns to the event loop.
void ReleaseControl(QPointer<QWidget>& control)
{
    QWidget* widget = control.data();
    control.clear();
    if (!widget)
        return;
    widget->hide();
    widget->deleteLater();
}

TLarkHTMLRender* RenderOf(const TLarkHTMLControlItem& item)
{
    return item.FOwner ? item.FOwner->Render() : nullptr;
}

bool IsUntrusted(const TLarkHTMLControlItem& item)
{
    const TLarkHTMLRender* render = RenderOf(item);
    return render && render->Untrusted();
}

// For untrusted content the attributes the allow-list does not name for the
// class are dropped before anything reads them, as if they had not been
// written; the size attributes always stay.
TStringList AllowedAttributes(const TLarkHTMLControlItem& item, const TStringList& params)
{
    const TLarkHTMLControlAllowList& allowList = RenderOf(item)->ControlAllowList();
    TStringList allowed;
    for (int i = 0; i < params.Count(); ++i) {
        const QString name = UnquoteValue(params.Names(i));
        if (IsSizeAttribute(name) || allowList.IsPropertyAllowed(item.FControlClass, name))
            allowed.Add(params.Strings(i));
    }
    return allowed;
}

// Creates the control of item.FControlClass, hidden, as a child of the host
// (or of the host's parent), and takes its size.
void CreateControl(TLarkHTMLControlItem& item)
{
    const TLarkHTMLRender* render = RenderOf(item);
    QWidget* parent = ParentForControls(render ? render->Control() : nullptr);
    // Without a parent the control would open a window of its own once it is
    // shown, so a host that cannot hold it gets none.
    if (!parent)
        return;
    const ClassRegistry& registry = ClassRegistry::Instance();
    if (!registry.IsRegistered(item.FControlClass))
        return;
    if (IsUntrusted(item) && !render->ControlAllowList().IsClassAllowed(item.FControlClass))
        return;
    QWidget* control = registry.Create(item.FControlClass);
    if (!control)
        return;
    control->setParent(parent);
    // Hidden on purpose, so that it does not show with its parent before the
    // paint pass has placed it.
    control->hide();
    item.SetControl(control);
    item.FWidth = control->width();
    item.FHeight = control->height();
}

// The width and height attributes, with the defaults for missing, zero and
// oversized values. A bad number ends the step: what was set so far stays.
void ApplySize(TLarkHTMLControlItem& item, const TStringList& params)
{
    std::int64_t w = 0;
    std::int64_t h = 0;
    int value = 0;
    const QString width = detail::Attribute(params, u"width");
    if (!width.isEmpty()) {
        if (!TryStrToInt(width, value))
            return;
        item.FWidth = value;
        if (item.Control())
            w = item.FWidth;
    }
    const QString height = detail::Attribute(params, u"height");
    if (!height.isEmpty()) {
        if (!TryStrToInt(height, value))
            return;
        item.FHeight = value;
        if (item.Control())
            h = item.FHeight;
    }
    if (!IsUsableSize(w)) {
        item.FWidth = kDefaultControlWidth;
        w = item.FWidth;
    }
    if (!IsUsableSize(h)) {
        // Two pixels taller than the document's text.
        const std::int64_t textHeight = item.FOwner ? std::abs(std::int64_t(item.FOwner->DefaultHeight())) : 0;
        item.FHeight = TLarkSize(std::min<std::int64_t>(textHeight + 2, limits::kMaxControlSize));
        h = item.FHeight;
    }
    if (item.Control())
        item.Control()->setGeometry(0, 0, int(w), int(h));
}

// Every other attribute sets the control's property of that name, one at a
// time: unknown names and values the property does not take are skipped.
void ApplyProperties(TLarkHTMLControlItem& item, const TStringList& params)
{
    const ClassRegistry& registry = ClassRegistry::Instance();
    for (int i = 0; i < params.Count(); ++i) {
        const QString rawName = params.Names(i);
        const QString name = UnquoteValue(rawName);
        if (IsSizeAttribute(name))
            continue;
        // A property meant for no control abandons the whole tag.
        if (!item.Control())
            throw EInvalidOperation(u"No control to set the property %1 on"_s.arg(name));
        const std::optional<TPropInfo> info = registry.GetPropInfo(item.Control(), name);
        if (!info)
            continue;
        try {
            SetPropertyFromText(registry, item.Control(), *info, UnquoteValue(params.Values(rawName)));
        } catch (const std::exception&) {
            // A value the property does not take leaves it as it was.
        }
    }
}

} // namespace

TLarkHTMLControlItem::TLarkHTMLControlItem(TLarkHTMLData* owner)
    : TLarkHTMLItem(owner)
{
    FItemType = hitControl;
}

TLarkHTMLControlItem::~TLarkHTMLControlItem()
{
    // While the render object dies its host frees the control as a child.
    const TLarkHTMLRender* render = RenderOf(*this);
    if (render && render->Destroying())
        return;
    ReleaseControl(FControl);
}

void TLarkHTMLControlItem::ReadAttributes(const TStringList& params)
{
    const QString className = detail::Attribute(params, u"vclclass");
    if (className.isEmpty())
        return;
    if (className != FControlClass) {
        ReleaseControl(FControl);
        FControlClass = className;
        CreateControl(*this);
    }
    const TStringList attributes = IsUntrusted(*this) ? AllowedAttributes(*this, params) : params;
    FControlPropList.Assign(attributes);
    ApplySize(*this, attributes);
    ApplyProperties(*this, attributes);
    if (!FControl)
        return;
    // The render object moves the focus between embedded controls itself.
    FControl->setFocusPolicy(Qt::FocusPolicy(FControl->focusPolicy() & ~Qt::TabFocus));
    TLarkHTMLRender* render = RenderOf(*this);
    if (render)
        render->DoControlCreated(FControl);
}

void TLarkHTMLControlItem::GetItemHTML(QString& s) const
{
    s.clear();
    const QWidget* control = FControl.data();
    if (!control)
        return;
    const ClassRegistry& registry = ClassRegistry::Instance();
    QString className = registry.ClassNameOf(control);
    if (className.isEmpty())
        className = FControlClass;
    s = u"<control vclclass=\""_s + className + u"\" "_s;
    for (int i = 0; i < FControlPropList.Count(); ++i) {
        const QString name = UnquoteValue(FControlPropList.Names(i));
        const std::optional<TPropInfo> info = registry.GetPropInfo(control, name);
        if (!info)
            continue;
        QString value;
        try {
            value = PropertyText(registry, control, *info);
        } catch (const std::exception&) {
            continue;
        }
        s += name + u'=' + detail::QuoteAttribute(value) + u' ';
    }
    s += u'>';
}

} // namespace lark
