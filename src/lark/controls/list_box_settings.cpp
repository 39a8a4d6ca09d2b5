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

void TLarkCustomListBox::MoveHorz(QAbstractSlider::SliderAction action)
{
    horizontalScrollBar()->triggerAction(action);
}

void TLarkCustomListBox::SetBeveledFocus(bool value)
{
    if (value == FBeveledFocus)
        return;
    FBeveledFocus = value;
    if (hasFocus())
        DoUpdate();
}

void TLarkCustomListBox::SetBevelFocusShadowColor(TColor value)
{
    if (value == FBevelFocusDarkColor)
        return;
    FBevelFocusDarkColor = value;
    if (FBeveledFocus && hasFocus())
        DoUpdate();
}

void TLarkCustomListBox::SetBevelFocusLightColor(TColor value)
{
    if (value == FBevelFocusLightColor)
        return;
    FBevelFocusLightColor = value;
    if (FBeveledFocus && hasFocus())
        DoUpdate();
}

void TLarkCustomListBox::SetHideSelection(bool value)
{
    if (value && FMultiSelect)
        return;
    if (value == FHideSelection)
        return;
    FHideSelection = value;
    DoUpdate();
}

void TLarkCustomListBox::SetMargin(int value)
{
    value = std::clamp(value, 0, 255);
    if (value == FMargin)
        return;
    FMargin = value;
    scheduleDelayedItemsLayout();
    DoUpdate();
}

void TLarkCustomListBox::SetHorzGridColor(TColor value)
{
    if (value == FHorzGridColor)
        return;
    FHorzGridColor = value;
    DoUpdate();
}

void TLarkCustomListBox::SetHorzGridStyle(TPenStyle value)
{
    if (value == FHorzGridStyle)
        return;
    FHorzGridStyle = value;
    DoUpdate();
}

void TLarkCustomListBox::SetHorzGridLine(bool value)
{
    if (value == FHorzGridLine)
        return;
    FHorzGridLine = value;
    DoUpdate();
}

void TLarkCustomListBox::SetVerticalScrollBar(bool value)
{
    if (value == FVertical)
        return;
    FVertical = value;
    ApplyScrollBars();
}

void TLarkCustomListBox::SetSelectedColor(TColor value)
{
    if (value == FSelectedColor)
        return;
    FSelectedColor = value;
    DoUpdate();
}

void TLarkCustomListBox::SetDisabledColor(TColor value)
{
    if (value == FDisabledColor)
        return;
    FDisabledColor = value;
    DoUpdate();
}

void TLarkCustomListBox::SetSelectedFontColor(TColor value)
{
    if (value == FSelectedFontColor)
        return;
    FSelectedFontColor = value;
    DoUpdate();
}

void TLarkCustomListBox::SetSelectedFontStyle(TFontStyles value)
{
    if (value == FSelectedFontStyle)
        return;
    FSelectedFontStyle = value;
    DoUpdate();
}

void TLarkCustomListBox::SetHideFocus(bool value)
{
    if (value == FHideFocus)
        return;
    FHideFocus = value;
    DoUpdate();
}

void TLarkCustomListBox::SetColor(TColor value)
{
    if (value == FColor)
        return;
    FColor = value;
    OptionsChanged();
    DoUpdate();
}

TColor TLarkCustomListBox::BackgroundColor() const
{
    return isEnabled() ? FColor : FDisabledColor;
}

void TLarkCustomListBox::SetItemAutoHeight(bool value)
{
    if (value == FAutoHeight)
        return;
    FAutoHeight = value;
    ApplyLayoutMode();
}

void TLarkCustomListBox::SetMeasureItemEvent(bool value)
{
    if (value == FMeasureItem)
        return;
    FMeasureItem = value;
    ApplyLayoutMode();
}

void TLarkCustomListBox::SetItemHeight(int value)
{
    if (value < 1 || value == FItemHeight)
        return;
    FItemHeight = value;
    RemeasureRows();
}

void TLarkCustomListBox::SetMultiLine(bool value)
{
    if (value == FMultiline)
        return;
    FMultiline = value;
    if (value)
        FLargeTextOptions = lbltNone;
    FHorzWidth = 0;
    ApplyScrollBars();
    RemeasureRows();
}

void TLarkCustomListBox::SetLargeTextOptions(TLarkListBoxLargeTextOptions value)
{
    if (value == FLargeTextOptions)
        return;
    FLargeTextOptions = value;
    FHorzWidth = 0;
    if (value != lbltNone)
        FMultiline = false;
    HideHint();
    if (value == lbltHorzScrollBar)
        RecomputeHorzExtent();
    ApplyScrollBars();
    RemeasureRows();
}

void TLarkCustomListBox::SetColumns(int value)
{
    value = std::max(value, 0);
    if (value == FColumns)
        return;
    FColumns = value;
    ApplyLayoutMode();
    ApplyScrollBars();
}

void TLarkCustomListBox::SetSorted(bool value)
{
    if (value == FSorted)
        return;
    FSorted = value;
    if (value && !FVirtual && FItems.Count() > 1)
        FItems.Assign(FItems.AsStringList());
}

void TLarkCustomListBox::SetMultiSelect(bool value)
{
    if (value == FMultiSelect)
        return;
    FMultiSelect = value;
    // A selection shown only while focused is lost on a list of several.
    if (value)
        FHideSelection = false;
    ApplySelectionMode();
}

void TLarkCustomListBox::SetExtendedSelect(bool value)
{
    if (value == FExtendedSelect)
        return;
    FExtendedSelect = value;
    ApplySelectionMode();
}

void TLarkCustomListBox::SetVirtualMode(bool value)
{
    if (value == FVirtual)
        return;
    RowsResetting();
    FVirtual = value;
    RowsReset();
    ApplyLayoutMode();
}

void TLarkCustomListBox::SetEditOptions(TLarkListBoxEditOptions value)
{
    FEditOptions = value;
}

void TLarkCustomListBox::SetHeightCaching(bool value)
{
    if (value == FHeightCaching)
        return;
    FHeightCaching = value;
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
