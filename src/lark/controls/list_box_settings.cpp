// The settings of the owner-drawn list box: each setter stores its value and
// repaints, re-measures or re-lays the rows out, as the setting needs.
#include <lark/controls/list_box.h>

#include <QScrollBar>

#include <algorithm>

namespace lark {

//---- Settings ---------------------------------------------------------------------

void TLarkCustomListBox::DoUpdate()
{
    QPalette palette = viewport()->palette();
    palette.setColor(QPalette::Base, ToQColor(BackgroundColor(), this));
    palette.setColor(QPalette::Window, ToQColor(BackgroundColor(), this));
    viewport()->setPalette(palette);
    viewport()->update();
}

void TLarkCustomListBox::MoveHorz(QAbstractSlider::SliderAction Action)
{
    horizontalScrollBar()->triggerAction(Action);
}

void TLarkCustomListBox::SetBeveledFocus(bool Value)
{
    if (Value == FBeveledFocus)
        return;
    FBeveledFocus = Value;
    if (hasFocus())
        DoUpdate();
}

void TLarkCustomListBox::SetBevelFocusShadowColor(TColor Value)
{
    if (Value == FBevelFocusDarkColor)
        return;
    FBevelFocusDarkColor = Value;
    if (FBeveledFocus && hasFocus())
        DoUpdate();
}

void TLarkCustomListBox::SetBevelFocusLightColor(TColor Value)
{
    if (Value == FBevelFocusLightColor)
        return;
    FBevelFocusLightColor = Value;
    if (FBeveledFocus && hasFocus())
        DoUpdate();
}

void TLarkCustomListBox::SetHideSelection(bool Value)
{
    if (Value && FMultiSelect)
        return;
    if (Value == FHideSelection)
        return;
    FHideSelection = Value;
    DoUpdate();
}

void TLarkCustomListBox::SetMargin(int Value)
{
    Value = std::clamp(Value, 0, 255);
    if (Value == FMargin)
        return;
    FMargin = Value;
    scheduleDelayedItemsLayout();
    DoUpdate();
}

void TLarkCustomListBox::SetHorzGridColor(TColor Value)
{
    if (Value == FHorzGridColor)
        return;
    FHorzGridColor = Value;
    DoUpdate();
}

void TLarkCustomListBox::SetHorzGridStyle(TPenStyle Value)
{
    if (Value == FHorzGridStyle)
        return;
    FHorzGridStyle = Value;
    DoUpdate();
}

void TLarkCustomListBox::SetHorzGridLine(bool Value)
{
    if (Value == FHorzGridLine)
        return;
    FHorzGridLine = Value;
    DoUpdate();
}

void TLarkCustomListBox::SetVerticalScrollBar(bool Value)
{
    if (Value == FVertical)
        return;
    FVertical = Value;
    ApplyScrollBars();
}

void TLarkCustomListBox::SetSelectedColor(TColor Value)
{
    if (Value == FSelectedColor)
        return;
    FSelectedColor = Value;
    DoUpdate();
}

void TLarkCustomListBox::SetDisabledColor(TColor Value)
{
    if (Value == FDisabledColor)
        return;
    FDisabledColor = Value;
    DoUpdate();
}

void TLarkCustomListBox::SetSelectedFontColor(TColor Value)
{
    if (Value == FSelectedFontColor)
        return;
    FSelectedFontColor = Value;
    DoUpdate();
}

void TLarkCustomListBox::SetSelectedFontStyle(TFontStyles Value)
{
    if (Value == FSelectedFontStyle)
        return;
    FSelectedFontStyle = Value;
    DoUpdate();
}

void TLarkCustomListBox::SetHideFocus(bool Value)
{
    if (Value == FHideFocus)
        return;
    FHideFocus = Value;
    DoUpdate();
}

void TLarkCustomListBox::SetColor(TColor Value)
{
    if (Value == FColor)
        return;
    FColor = Value;
    OptionsChanged();
    DoUpdate();
}

TColor TLarkCustomListBox::BackgroundColor() const
{
    return isEnabled() ? FColor : FDisabledColor;
}

void TLarkCustomListBox::SetItemAutoHeight(bool Value)
{
    if (Value == FAutoHeight)
        return;
    FAutoHeight = Value;
    ApplyLayoutMode();
}

void TLarkCustomListBox::SetMeasureItemEvent(bool Value)
{
    if (Value == FMeasureItem)
        return;
    FMeasureItem = Value;
    ApplyLayoutMode();
}

void TLarkCustomListBox::SetItemHeight(int Value)
{
    if (Value < 1 || Value == FItemHeight)
        return;
    FItemHeight = Value;
    RemeasureRows();
}

void TLarkCustomListBox::SetMultiLine(bool Value)
{
    if (Value == FMultiline)
        return;
    FMultiline = Value;
    if (Value)
        FLargeTextOptions = lbltNone;
    FHorzWidth = 0;
    ApplyScrollBars();
    RemeasureRows();
}

void TLarkCustomListBox::SetLargeTextOptions(TLarkListBoxLargeTextOptions Value)
{
    if (Value == FLargeTextOptions)
        return;
    FLargeTextOptions = Value;
    FHorzWidth = 0;
    if (Value != lbltNone)
        FMultiline = false;
    HideHint();
    if (Value == lbltHorzScrollBar)
        RecomputeHorzExtent();
    ApplyScrollBars();
    RemeasureRows();
}

void TLarkCustomListBox::SetColumns(int Value)
{
    Value = std::max(Value, 0);
    if (Value == FColumns)
        return;
    FColumns = Value;
    ApplyLayoutMode();
    ApplyScrollBars();
}

void TLarkCustomListBox::SetSorted(bool Value)
{
    if (Value == FSorted)
        return;
    FSorted = Value;
    if (Value && !FVirtual && FItems.Count() > 1)
        FItems.Assign(FItems.AsStringList());
}

void TLarkCustomListBox::SetMultiSelect(bool Value)
{
    if (Value == FMultiSelect)
        return;
    FMultiSelect = Value;
    // A selection shown only while focused is lost on a list of several.
    if (Value)
        FHideSelection = false;
    ApplySelectionMode();
}

void TLarkCustomListBox::SetExtendedSelect(bool Value)
{
    if (Value == FExtendedSelect)
        return;
    FExtendedSelect = Value;
    ApplySelectionMode();
}

void TLarkCustomListBox::SetVirtualMode(bool Value)
{
    if (Value == FVirtual)
        return;
    RowsResetting();
    FVirtual = Value;
    RowsReset();
    ApplyLayoutMode();
}

void TLarkCustomListBox::SetEditOptions(TLarkListBoxEditOptions Value)
{
    FEditOptions = Value;
}

void TLarkCustomListBox::SetHeightCaching(bool Value)
{
    if (Value == FHeightCaching)
        return;
    FHeightCaching = Value;
    RemeasureRows();
}

void TLarkCustomListBox::ApplySelectionMode()
{
    if (!FMultiSelect)
        setSelectionMode(SingleSelection);
    else
        setSelectionMode(FExtendedSelect ? ExtendedSelection : MultiSelection);
}

void TLarkCustomListBox::ApplyLayoutMode()
{
    setFlow(TopToBottom);
    setWrapping(FColumns > 0);
    setResizeMode(FColumns > 0 ? Adjust : Fixed);
    setUniformItemSizes(!VariableHeights());
    RemeasureRows();
}

void TLarkCustomListBox::ApplyScrollBars()
{
    setVerticalScrollBarPolicy(FVertical && FColumns == 0 ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    const bool horizontal = (FLargeTextOptions == lbltHorzScrollBar && !FMultiline) || FColumns > 0;
    setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    scheduleDelayedItemsLayout();
}

} // namespace lark
