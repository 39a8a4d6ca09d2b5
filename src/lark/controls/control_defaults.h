#pragma once
// The default value of every published setting of the HTML controls, in one
// table per control. The member initializers and the Reset... functions (the
// RESET of each Q_PROPERTY, which Qt Designer's "restore default" calls) both
// read them, so a default is written once.
//
//     label->SetWordWrap(TLabelDefaults::WordWrap);   // what ResetWordWrap does
//
// Settings typed by an enumeration that is declared inside its control's own
// header (the view's background type and border style, the list box's
// large-text and edit options) keep their Default... constant beside that
// enumeration.

#include <lark/controls/control_types.h>
#include <lark/framework/canvas.h>
#include <lark/framework/color.h>
#include <lark/framework/font.h>

namespace lark {

// Shared by every control that shows HTML (TLarkHTMLHostBase).
struct THostDefaults
{
    static constexpr bool IsHTML = true;
    static constexpr bool ParentFont = true;
    static constexpr int StorageItemIndex = 0;
    static constexpr int StorageItemNotFoundIndex = 0;
    static constexpr bool CheckStorageLinks = true;
    static constexpr bool Untrusted = false;
    static constexpr bool TextSelection = false;
};

// TLarkCustomHTMLLabel and the data-aware label.
struct TLabelDefaults : THostDefaults
{
    static constexpr TAlignment Alignment = taLeftJustify;
    static constexpr TTextLayout Layout = tlTop;
    static constexpr bool WordWrap = true;
    static constexpr bool AutoSize = false;
    static constexpr bool Transparent = false;
    static constexpr bool DoubleBuffered = true;
    // The colour set on the label is used only while ParentColor is off.
    static constexpr bool ParentColor = true;
    static constexpr TColor Color = clBtnFace;
    static constexpr int Width = 100;
    static constexpr int Height = 100;
};

// TLarkCustomHTMLPanel.
struct TPanelDefaults : THostDefaults
{
    static constexpr TAlignment Alignment = taCenter;
    static constexpr TTextLayout Layout = tlTop;
    static constexpr bool WordWrap = true;
    static constexpr bool AutoSize = false;
    static constexpr bool ShowCaption = true;
    static constexpr TPanelBevel BevelOuter = bvRaised;
    static constexpr TPanelBevel BevelInner = bvNone;
    static constexpr int BevelWidth = 1;
    static constexpr int BorderWidth = 0;
    static constexpr TColor Color = clBtnFace;
    static constexpr bool DoubleBuffered = false;
    static constexpr int Width = 185;
    static constexpr int Height = 41;
};

// TLarkCustomHTMLView and the data-aware view.
struct TViewDefaults : THostDefaults
{
    static constexpr TColor Color = clWindow;
    static constexpr TColor GradientStartColor = clWhite;
    static constexpr TColor GradientEndColor = clSilver;
    static constexpr int GradientSteps = 16;
    static constexpr int Margin = 4;
    static constexpr bool WordWrap = false;
    static constexpr bool Transparent = false;
};

// TLarkCustomListBox.
struct TListBoxDefaults
{
    static constexpr bool BeveledFocus = false;
    static constexpr TColor BevelFocusLightColor = clWhite;
    static constexpr TColor BevelFocusShadowColor = clGray;
    static constexpr bool MeasureItemEvent = false;
    static constexpr bool HideSelection = false;
    static constexpr bool HideFocus = false;
    static constexpr int Margin = 1;
    static constexpr bool HorzGridLine = false;
    static constexpr TColor HorzGridColor = clSilver;
    static constexpr TPenStyle HorzGridStyle = psSolid;
    static constexpr bool VerticalScrollBar = true;
    static constexpr TColor SelectedColor = clHighlight;
    static constexpr TColor DisabledColor = clWindow;
    static constexpr TColor SelectedFontColor = clHighlightText;
    static constexpr TFontStyles SelectedFontStyle{};
    static constexpr bool ItemAutoHeight = false;
    static constexpr bool MultiLine = false;
    static constexpr bool MultiSelect = false;
    static constexpr bool ExtendedSelect = true;
    static constexpr bool Sorted = false;
    static constexpr int Columns = 0;
    static constexpr int ItemHeight = 16;
    static constexpr TColor Color = clWindow;
    static constexpr bool VirtualMode = false;
};

// TLarkHTMLListBox: a list box whose rows are HTML documents.
struct THTMLListBoxDefaults : TListBoxDefaults, THostDefaults
{
    // Rows are as high as their documents.
    static constexpr bool ItemAutoHeight = true;
    static constexpr bool AutoComplete = true;
};

// TLarkHTMLItemDelegate.
struct TItemDelegateDefaults
{
    static constexpr bool MultiLine = false;
    static constexpr bool ElideRows = true;
};

// The data-aware label and view.
struct TDBControlDefaults
{
    static constexpr bool IsTemplate = false;
};

} // namespace lark
