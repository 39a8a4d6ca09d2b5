// The plain and break items: construction, the format copy, and the font
// settings record the parser pushes for font tags. Measuring lives in
// measure.cpp, inputs and controls in input_item.cpp and control_item.cpp.
#include <lark/html/model/data.h>
#include "lark/html/model/font_settings_p.h"
#include <lark/html/model/items.h>

namespace lark {

//---- TLarkHTMLItem --------------------------------------------------------

TLarkHTMLItem::TLarkHTMLItem(TLarkHTMLData* owner)
    : FOwner(owner)
{
}

TLarkHTMLItem::~TLarkHTMLItem() = default;

void TLarkHTMLItem::GetItemHTML(QString& /*S*/) const
{
}

void TLarkHTMLItem::Assign(const TLarkHTMLItem* source)
{
    if (!source)
        return;
    FontStyle = source->FontStyle;
    FontHeight = source->FontHeight;
    FontBgColor = source->FontBgColor;
    FontColor = source->FontColor;
    FLinkRef = source->FLinkRef;
    FFontRef = source->FFontRef;
    FIndent = source->FIndent;
    FFntCnt = source->FFntCnt;
    FBoolState = source->FBoolState;
    // The font may have changed, so a width measured before means nothing.
    ResetWidthCache();
}

int TLarkHTMLItem::EffectiveFontHeight() const
{
    if (!IsSub() && !IsSuper())
        return FontHeight;
    if (FontHeight > 0)
        return FontHeight - 2;
    if (FontHeight < 0)
        return FontHeight + 2;
    return 0;
}

//---- TLarkHTMLBreakItem ---------------------------------------------------

TLarkHTMLBreakItem::TLarkHTMLBreakItem(TLarkHTMLData* owner, TLarkHTMLItemType kind)
    : TLarkHTMLItem(owner)
{
    FItemType = kind;
}

void TLarkHTMLBreakItem::Assign(const TLarkHTMLItem* other)
{
    TLarkHTMLItem::Assign(other);
    const auto* source = dynamic_cast<const TLarkHTMLBreakItem*>(other);
    if (!source)
        return;
    FListLevel = source->FListLevel;
    FListItemN = source->FListItemN;
    // A copied break starts left-aligned; AssignBreakProps carries alignment.
    FParams = source->FParams & ~std::uint32_t(3);
}

void TLarkHTMLBreakItem::AssignBreakProps(const TLarkHTMLBreakItem* source)
{
    if (!source)
        return;
    FListLevel = source->FListLevel;
    FListItemN = source->FListItemN;
    FParams = source->FParams;
}

//---- Font settings --------------------------------------------------------

void ApplyFontSettings(TLarkHTMLItem& item, const TFontSettings& settings)
{
    item.FFontRef = settings.FontName;
    item.FontColor = settings.Color;
    item.FontBgColor = settings.BgColor;
    item.FontHeight = settings.Height;
    item.ResetWidthCache();
}

void SaveFontSettings(const TLarkHTMLItem& item, TFontSettings& settings)
{
    settings.FontName = item.FFontRef;
    settings.Color = item.FontColor;
    settings.BgColor = item.FontBgColor;
    settings.Height = item.FontHeight;
}

} // namespace lark
