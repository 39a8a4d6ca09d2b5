// Check box and radio button items: the copy rules, the input type with its
// painter and radio group, reading the tag's attributes and writing the item
// back as HTML. Clicks and keys are handled with the rest of the interaction.
#include <lark/framework/convert.h>
#include <lark/framework/limits.h>
#include <lark/html/model/data.h>
#include <lark/html/model/items.h>
#include "lark/html/parse/attributes_p.h"
#include <lark/html/parse/values.h>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace lark {

void TLarkHTMLControlPainter::PaintTo(TCanvas& /*Canvas*/, const QRect& /*ARect*/)
{
}

TLarkHTMLInputItem::TLarkHTMLInputItem(TLarkHTMLData* owner)
    : TLarkHTMLItem(owner)
    , FControlPainter(std::make_unique<TLarkHTMLCheckBoxPainter>(this))
{
    FItemType = hitInput;
}

TLarkHTMLInputItem::~TLarkHTMLInputItem() = default;

void TLarkHTMLInputItem::Assign(const TLarkHTMLItem* other)
{
    TLarkHTMLItem::Assign(other);
    const auto* source = dynamic_cast<const TLarkHTMLInputItem*>(other);
    if (!source)
        return;
    FName = source->FName;
    FChecked = source->FChecked;
    // Through the setter, so that the painter and the radio group follow.
    SetInputType(source->FInputType);
    FValue = source->FValue;
}

void TLarkHTMLInputItem::SetInputType(TLarkHTMLInputType value)
{
    FInputType = value;
    FControlPainter = std::make_unique<TLarkHTMLCheckBoxPainter>(this);
    FTag = 0;
    if (FInputType != itRadioButton || FName.isEmpty() || !FOwner)
        return;
    // Groups are numbered from 1 in order of first appearance.
    TStringList& groups = FOwner->RadioList();
    int index = groups.IndexOf(FName);
    if (index < 0) {
        groups.Add(FName);
        index = groups.Count() - 1;
    }
    FTag = index + 1;
}

void TLarkHTMLInputItem::ReadAttributes(const TStringList& params)
{
    // A checked value that is no Boolean throws: it fails the whole parse.
    const QString checked = detail::Attribute(params, u"checked");
    if (!checked.isEmpty())
        FChecked = StrToBool(checked);

    const QString value = detail::Attribute(params, u"value");
    if (!value.isEmpty())
        FValue = value;

    // A bad width also leaves the height alone.
    int size = 0;
    const QString width = detail::Attribute(params, u"width");
    if (!width.isEmpty()) {
        if (!TryStrToInt(width, size))
            return;
        FWidth = std::clamp(size, 0, limits::kMaxBoxSide);
    }
    const QString height = detail::Attribute(params, u"height");
    if (!height.isEmpty() && TryStrToInt(height, size))
        FHeight = std::clamp(size, 0, limits::kMaxBoxSide);
}

void TLarkHTMLInputItem::GetItemHTML(QString& s) const
{
    s = FInputType == itRadioButton ? u"<input type=\"radio\" "_s : u"<input type=\"checkbox\" "_s;
    if (!FName.isEmpty())
        s += u"name="_s + detail::QuoteAttribute(FName) + u' ';
    if (FChecked)
        s += u"checked=\"True\" "_s;
    if (!FValue.isEmpty())
        s += u"value="_s + detail::QuoteAttribute(FValue) + u' ';
    s += u'>';
}

} // namespace lark
