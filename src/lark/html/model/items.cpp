// The plain and break items: construction, the format copy, and the font
// settings record the parser pushes for font tags. Measuring lives in
// measure.cpp, inputs and controls in input_item.cpp and control_item.cpp.
#include <lark/html/model/data.h>
#include "lark/html/model/font_settings_p.h"
#include <lark/html/model/items.h>

namespace lark {

//---- TLarkHTMLItem --------------------------------------------------------

TLarkHTMLItem::TLarkHTMLItem(TLarkHTMLData* Owner)
    : FOwner(Owner)
{
}

TLarkHTMLItem::~TLarkHTMLItem() = default;

void TLarkHTMLItem::GetItemHTML(QString& /*S*/) const
{
}

void TLarkHTMLItem::Assign(const TLarkHTMLItem* Source)
{
    if (!Source)
        return;
    FontStyle = Source->FontStyle;
    FontHeight = Source->FontHeight;
    FontBgColor = Source->FontBgColor;
    FontColor = Source->FontColor;
    FLinkRef = Source->FLinkRef;
    FFontRef = Source->FFontRef;
    FIndent = Source->FIndent;
    FFntCnt = Source->FFntCnt;
    FBoolState = Source->FBoolState;
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

TLarkHTMLBreakItem::TLarkHTMLBreakItem(TLarkHTMLData* Owner, TLarkHTMLItemType Kind)
    : TLarkHTMLItem(Owner)
{
    FItemType = Kind;
}

void TLarkHTMLBreakItem::Assign(const TLarkHTMLItem* Source)
{
    TLarkHTMLItem::Assign(Source);
    const auto* source = dynamic_cast<const TLarkHTMLBreakItem*>(Source);
    if (!source)
        return;
    FListLevel = source->FListLevel;
    FListItemN = source->FListItemN;
    // A copied break starts left-aligned; AssignBreakProps carries alignment.
    FParams = source->FParams & ~std::uint32_t(3);
}

void TLarkHTMLBreakItem::AssignBreakProps(const TLarkHTMLBreakItem* Source)
{
    if (!Source)
        return;
    FListLevel = Source->FListLevel;
    FListItemN = Source->FListItemN;
    FParams = Source->FParams;
}

//---- Font settings --------------------------------------------------------

void ApplyFontSettings(TLarkHTMLItem& Item, const TFontSettings& Settings)
{
    Item.FFontRef = Settings.FontName;
    Item.FontColor = Settings.Color;
    Item.FontBgColor = Settings.BgColor;
    Item.FontHeight = Settings.Height;
    Item.ResetWidthCache();
}

void SaveFontSettings(const TLarkHTMLItem& Item, TFontSettings& Settings)
{
    Settings.FontName = Item.FFontRef;
    Settings.Color = Item.FontColor;
    Settings.BgColor = Item.FontBgColor;
    Settings.Height = Item.FontHeight;
}

} // namespace lark
