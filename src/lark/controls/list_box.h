#pragma once
// TLarkCustomListBox: an owner-drawn list box on Qt's model/view.
//
// It is a QListView over a model of its own: Items (a TLarkHTMLStrings) or,
// in virtual mode, Count rows whose text OnData supplies. It draws every row
// itself: its own selection, disabled and focus colours, a beveled focus
// frame, horizontal grid lines, plain text with a margin, end or path
// ellipsis, multi-line rows with automatic heights, a horizontal scroll range
// kept at the widest row, a tooltip showing a clipped row in full, and an
// in-place editor for inserting, editing and deleting rows from the keyboard.
// Selection, keyboard movement and accessibility are the view's.
//
// Example:
//     auto* list = new TLarkCustomListBox(form);
//     list->SetEditOptions(lboAllowInsert | lboAllowEdit | lboAllowDelete);
//     list->SetLargeTextOptions(lbltShowHint);
//     list->Items().Add(u"first"_s);
//     list->OnSelect = [](QObject*) { ... };
//
// Rows are painted by the view's item delegate, which asks DrawItem and
// MeasureItem; descendants (the HTML list box) replace those two.

#include <lark/controls/control_defaults.h>
#include <lark/controls/form_setters.h>
#include <lark/framework/canvas.h>
#include <lark/framework/color.h>
#include <lark/framework/color_choice.h>
#include <lark/framework/font.h>
#include <lark/framework/object.h>
#include <lark/html/interaction/shift_state.h>
#include <lark/storage/html_strings.h>

#include <QFlags>
#include <QListView>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRect>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QLabel;

namespace lark {

namespace ListBoxEnums {
Q_NAMESPACE

// What to do with rows wider than the list (one choice, not a set).
enum TLarkListBoxLargeTextOptions { lbltNone, lbltEndEllipsis, lbltPathEllipsis, lbltHorzScrollBar, lbltShowHint };
Q_ENUM_NS(TLarkListBoxLargeTextOptions)

// Which keyboard editing operations are allowed.
enum TLarkListBoxEditOption {
    lboAllowDelete = 0x1,
    lboAllowEdit = 0x2,
    lboAllowInsert = 0x4,
    lboNo3DFrame = 0x8,
    lboSelectText = 0x10,
};
Q_DECLARE_FLAGS(TLarkListBoxEditOptions, TLarkListBoxEditOption)
Q_FLAG_NS(TLarkListBoxEditOptions)

// The state of a row being drawn.
enum TOwnerDrawStateFlag { odSelected = 0x1, odDisabled = 0x2, odFocused = 0x4 };
Q_DECLARE_FLAGS(TOwnerDrawState, TOwnerDrawStateFlag)
Q_FLAG_NS(TOwnerDrawState)

} // namespace ListBoxEnums

Q_DECLARE_OPERATORS_FOR_FLAGS(ListBoxEnums::TLarkListBoxEditOptions)
Q_DECLARE_OPERATORS_FOR_FLAGS(ListBoxEnums::TOwnerDrawState)

using ListBoxEnums::TLarkListBoxEditOption;
using ListBoxEnums::TLarkListBoxEditOptions;
using ListBoxEnums::TLarkListBoxLargeTextOptions;
using ListBoxEnums::TOwnerDrawState;
using ListBoxEnums::TOwnerDrawStateFlag;
using enum ListBoxEnums::TLarkListBoxLargeTextOptions;
using enum ListBoxEnums::TLarkListBoxEditOption;
using enum ListBoxEnums::TOwnerDrawStateFlag;

class TLarkCustomListBox;

namespace detail {
class TLarkListBoxModel;
class TLarkListBoxHint;
} // namespace detail

//---- events
// Cancel set to true keeps the editor closed.
using TLarkListBoxEditShowEvent = std::function<void(QObject* sender, int index, bool& cancel)>;
// Height arrives as the row's height plus one; the editor gets what is left.
using TLarkListBoxEditMeasureEvent = std::function<void(QObject* sender, int index, int& height)>;
using TLarkListBoxEditChangeEvent = std::function<void(QObject* sender, int index)>;
// Draws row Index into Rect (the row less the margins) on Canvas; nothing
// else is drawn in the row's text area.
using TDrawItemEvent =
    std::function<void(QObject* sender, TCanvas& canvas, int index, const QRect& rect, TOwnerDrawState state)>;
// Height arrives as ItemHeight; the row gets what is left in it.
using TMeasureItemEvent = std::function<void(QObject* sender, int index, int& height)>;
// Virtual mode: the text of row Index.
using TLBGetDataEvent = std::function<void(QObject* sender, int index, QString& data)>;
// Virtual mode: the object of row Index.
using TLBGetDataObjectEvent = std::function<void(QObject* sender, int index, QObject*& dataObject)>;
// Virtual mode: the row whose text starts with FindString, or -1.
using TLBFindDataEvent = std::function<int(QObject* sender, const QString& findString)>;
using TListBoxKeyEvent = std::function<void(QObject* sender, int& key, TShiftState shift)>;

// The rows of a list box. Every operation reaches the list at once and row
// by row, so a list of 100,000 rows grows one Add at a time without laying
// itself out again each time. In a Sorted list Add puts the line in its
// place (letter case ignored); Insert puts it where it is told.
class TLarkListBoxStrings : public TLarkHTMLStrings
{
public:
    explicit TLarkListBoxStrings(TLarkCustomListBox* owner)
        : FOwner(owner)
    {
    }

    int Add(const QString& line);
    void Insert(int index, const QString& line);
    void Delete(int index);
    void SetStrings(int index, const QString& value);
    void Clear();
    void SetText(const QString& text);
    void Assign(const ::lark::TStringList& source);
    void Assign(const TLarkHTMLStrings& source);
    void EndUpdate();
    // The index a line would get in the sorted list.
    int SortedIndexOf(const QString& line) const;

protected:
    // Changes made through the base class's other operations (SetValues, or
    // calls through a TLarkHTMLStrings reference) reset the whole list.
    void Changed() override;

private:
    void WholeListChange(const std::function<void()>& change);

    TLarkCustomListBox* const FOwner;
    int FRowOperation = 0;
};

// The in-place editor: a multi-line text edit without additions. The list
// box owns it while it is open.
class TLarkCustomListBoxEdit : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit TLarkCustomListBoxEdit(QWidget* parent = nullptr);

    // Set Key to 0 to stop the editor's own handling of the key.
    TListBoxKeyEvent OnKeyDown;
    // Raised when the editor loses the focus.
    TNotifyEvent OnExit;
    // What the component model calls Tag: the editor of an inserted row
    // carries that row's index plus 255.
    int Tag = 0;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

class TLarkCustomListBox : public QListView
{
    Q_OBJECT
    Q_PROPERTY(bool BeveledFocus READ BeveledFocus WRITE SetBeveledFocus RESET ResetBeveledFocus)
    Q_PROPERTY(lark::TColor BevelFocusShadowColor READ BevelFocusShadowColor WRITE SetBevelFocusShadowColor DESIGNABLE false RESET
                   ResetBevelFocusShadowColor)
    Q_PROPERTY(QColor BevelFocusShadowColorValue READ BevelFocusShadowColorValue WRITE SetBevelFocusShadowColorValue)
    Q_PROPERTY(lark::SystemColorEnums::TSystemColor BevelFocusShadowColorSystem READ BevelFocusShadowColorSystem WRITE SetBevelFocusShadowColorSystem)
    Q_PROPERTY(lark::TColor BevelFocusLightColor READ BevelFocusLightColor WRITE SetBevelFocusLightColor DESIGNABLE false RESET
                   ResetBevelFocusLightColor)
    Q_PROPERTY(QColor BevelFocusLightColorValue READ BevelFocusLightColorValue WRITE SetBevelFocusLightColorValue)
    Q_PROPERTY(lark::SystemColorEnums::TSystemColor BevelFocusLightColorSystem READ BevelFocusLightColorSystem WRITE SetBevelFocusLightColorSystem)
    Q_PROPERTY(bool MeasureItemEvent READ MeasureItemEvent WRITE SetMeasureItemEvent RESET ResetMeasureItemEvent)
    Q_PROPERTY(bool HideSelection READ HideSelection WRITE SetHideSelection RESET ResetHideSelection)
    Q_PROPERTY(int Margin READ Margin WRITE SetMargin RESET ResetMargin)
    Q_PROPERTY(lark::TColor HorzGridColor READ HorzGridColor WRITE SetHorzGridColor DESIGNABLE false RESET ResetHorzGridColor)
    Q_PROPERTY(QColor HorzGridColorValue READ HorzGridColorValue WRITE SetHorzGridColorValue)
    Q_PROPERTY(lark::SystemColorEnums::TSystemColor HorzGridColorSystem READ HorzGridColorSystem WRITE SetHorzGridColorSystem)
    Q_PROPERTY(int HorzGridStyle READ HorzGridStyleInt WRITE SetHorzGridStyleInt RESET ResetHorzGridStyle)
    Q_PROPERTY(bool HorzGridLine READ HorzGridLine WRITE SetHorzGridLine RESET ResetHorzGridLine)
    Q_PROPERTY(bool VerticalScrollBar READ VerticalScrollBar WRITE SetVerticalScrollBar RESET
                   ResetVerticalScrollBar)
    Q_PROPERTY(lark::TColor SelectedColor READ SelectedColor WRITE SetSelectedColor DESIGNABLE false RESET ResetSelectedColor)
    Q_PROPERTY(QColor SelectedColorValue READ SelectedColorValue WRITE SetSelectedColorValue)
    Q_PROPERTY(lark::SystemColorEnums::TSystemColor SelectedColorSystem READ SelectedColorSystem WRITE SetSelectedColorSystem)
    Q_PROPERTY(lark::TColor DisabledColor READ DisabledColor WRITE SetDisabledColor DESIGNABLE false RESET ResetDisabledColor)
    Q_PROPERTY(QColor DisabledColorValue READ DisabledColorValue WRITE SetDisabledColorValue)
    Q_PROPERTY(lark::SystemColorEnums::TSystemColor DisabledColorSystem READ DisabledColorSystem WRITE SetDisabledColorSystem)
    Q_PROPERTY(lark::TColor SelectedFontColor READ SelectedFontColor WRITE SetSelectedFontColor DESIGNABLE false RESET
                   ResetSelectedFontColor)
    Q_PROPERTY(QColor SelectedFontColorValue READ SelectedFontColorValue WRITE SetSelectedFontColorValue)
    Q_PROPERTY(lark::SystemColorEnums::TSystemColor SelectedFontColorSystem READ SelectedFontColorSystem WRITE SetSelectedFontColorSystem)
    Q_PROPERTY(int SelectedFontStyle READ SelectedFontStyleInt WRITE SetSelectedFontStyleInt RESET
                   ResetSelectedFontStyle)
    Q_PROPERTY(bool HideFocus READ HideFocus WRITE SetHideFocus RESET ResetHideFocus)
    Q_PROPERTY(bool ItemAutoHeight READ ItemAutoHeight WRITE SetItemAutoHeight RESET ResetItemAutoHeight)
    Q_PROPERTY(lark::ListBoxEnums::TLarkListBoxEditOptions EditOptions READ EditOptions WRITE SetEditOptions
                   RESET ResetEditOptions)
    Q_PROPERTY(lark::ListBoxEnums::TLarkListBoxLargeTextOptions LargeTextOptions READ LargeTextOptions WRITE
                   SetLargeTextOptions RESET ResetLargeTextOptions)
    Q_PROPERTY(bool MultiLine READ MultiLine WRITE SetMultiLine RESET ResetMultiLine)
    Q_PROPERTY(bool MultiSelect READ MultiSelect WRITE SetMultiSelect RESET ResetMultiSelect)
    Q_PROPERTY(bool ExtendedSelect READ ExtendedSelect WRITE SetExtendedSelect RESET ResetExtendedSelect)
    Q_PROPERTY(bool Sorted READ Sorted WRITE SetSorted RESET ResetSorted)
    Q_PROPERTY(int Columns READ Columns WRITE SetColumns RESET ResetColumns)
    Q_PROPERTY(int ItemHeight READ ItemHeight WRITE SetItemHeight RESET ResetItemHeight)
    Q_PROPERTY(lark::TColor Color READ Color WRITE SetColor DESIGNABLE false RESET ResetColor)
    Q_PROPERTY(QColor ColorValue READ ColorValue WRITE SetColorValue)
    Q_PROPERTY(lark::SystemColorEnums::TSystemColor ColorSystem READ ColorSystem WRITE SetColorSystem)
    Q_PROPERTY(bool VirtualMode READ VirtualMode WRITE SetVirtualMode RESET ResetVirtualMode)
    Q_PROPERTY(int Count READ Count WRITE SetCount STORED false)
    Q_PROPERTY(int ItemIndex READ ItemIndex WRITE SetItemIndex STORED false)
    Q_PROPERTY(int ScrollWidth READ ScrollWidth STORED false)

public:
    // What uic calls for the properties of a form.
    LARK_COLOR_CHOICE(BevelFocusShadowColor)
    LARK_COLOR_CHOICE(BevelFocusLightColor)
    LARK_COLOR_CHOICE(HorzGridColor)
    LARK_COLOR_CHOICE(SelectedColor)
    LARK_COLOR_CHOICE(DisabledColor)
    LARK_COLOR_CHOICE(SelectedFontColor)
    LARK_COLOR_CHOICE(Color)
    LARK_FORM_SETTER(BeveledFocus)
    LARK_FORM_SETTER(BevelFocusShadowColor)
    LARK_FORM_SETTER(BevelFocusLightColor)
    LARK_FORM_SETTER(MeasureItemEvent)
    LARK_FORM_SETTER(HideSelection)
    LARK_FORM_SETTER(Margin)
    LARK_FORM_SETTER(HorzGridColor)
    LARK_FORM_SETTER(HorzGridLine)
    LARK_FORM_SETTER(VerticalScrollBar)
    LARK_FORM_SETTER(SelectedColor)
    LARK_FORM_SETTER(DisabledColor)
    LARK_FORM_SETTER(SelectedFontColor)
    LARK_FORM_SETTER(HideFocus)
    LARK_FORM_SETTER(ItemAutoHeight)
    LARK_FORM_SETTER(EditOptions)
    LARK_FORM_SETTER(LargeTextOptions)
    LARK_FORM_SETTER(MultiLine)
    LARK_FORM_SETTER(MultiSelect)
    LARK_FORM_SETTER(ExtendedSelect)
    LARK_FORM_SETTER(Sorted)
    LARK_FORM_SETTER(Columns)
    LARK_FORM_SETTER(ItemHeight)
    LARK_FORM_SETTER(Color)
    LARK_FORM_SETTER(VirtualMode)
    void setHorzGridStyle(int value) { SetHorzGridStyleInt(value); }
    void setSelectedFontStyle(int value) { SetSelectedFontStyleInt(value); }

    // The defaults of the two settings typed by the enumerations above; the
    // others are in TListBoxDefaults.
    static constexpr TLarkListBoxLargeTextOptions DefaultLargeTextOptions = lbltNone;
    static constexpr TLarkListBoxEditOptions DefaultEditOptions{};

    explicit TLarkCustomListBox(QWidget* parent = nullptr);
    ~TLarkCustomListBox() override;

    //---- rows
    TLarkListBoxStrings& Items() { return FItems; }
    const TLarkListBoxStrings& Items() const { return FItems; }
    void SetItems(const TLarkHTMLStrings& value) { FItems.Assign(value); }
    // Items().Count(), or the row count set in virtual mode.
    int Count() const;
    // Virtual mode only; ignored otherwise.
    void SetCount(int value);
    // The row's text: OnData's answer in virtual mode, else Items[Index].
    virtual QString GetStringValue(int index) const;
    // What screen readers read for the row (the model's
    // Qt::AccessibleTextRole): the text as the row shows it.
    virtual QString AccessibleRowText(int index) { return GetStringValue(index); }
    // The selected row (the current row with MultiSelect), or -1.
    int ItemIndex() const;
    void SetItemIndex(int value);
    bool Selected(int index) const;
    void SetSelected(int index, bool value);
    int SelCount() const;
    // The first visible row.
    int TopIndex() const;
    void SetTopIndex(int value);
    // The row at a viewport point; -1 outside every existing row.
    int ItemAtPos(QPoint pos) const;
    // The row's rectangle in viewport coordinates (empty for no row).
    virtual QRect GetItemRect(int index) const;
    // Virtual mode: the object OnDataObject gives row Index.
    QObject* DataObject(int index) const;

    //---- operations
    void ClearSelection();
    void DeleteSelected();
    // Opens the editor on a new empty row at the end.
    void AddItemByEditor();
    // Selects Index and opens the editor on it; -1 and indexes past the
    // end are ignored.
    void DisplayEditor(int index);
    void HideEditor() { CloseEditor(); }
    // A repaint request.
    virtual void DoUpdate();
    // Scrolls horizontally as the scroll bar's action would.
    void MoveHorz(QAbstractSlider::SliderAction action);

    //---- look
    bool BeveledFocus() const { return FBeveledFocus; }
    void SetBeveledFocus(bool value);
    TColor BevelFocusShadowColor() const { return FBevelFocusDarkColor; }
    void SetBevelFocusShadowColor(TColor value);
    TColor BevelFocusLightColor() const { return FBevelFocusLightColor; }
    void SetBevelFocusLightColor(TColor value);
    // Selection drawn only while the list has the focus; never with
    // MultiSelect (setting it is then ignored).
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool value);
    // Left and right text margin of plain-text rows.
    int Margin() const { return FMargin; }
    void SetMargin(int value);
    TColor HorzGridColor() const { return FHorzGridColor; }
    void SetHorzGridColor(TColor value);
    TPenStyle HorzGridStyle() const { return FHorzGridStyle; }
    void SetHorzGridStyle(TPenStyle value);
    bool HorzGridLine() const { return FHorzGridLine; }
    void SetHorzGridLine(bool value);
    bool VerticalScrollBar() const { return FVertical; }
    void SetVerticalScrollBar(bool value);
    TColor SelectedColor() const { return FSelectedColor; }
    void SetSelectedColor(TColor value);
    // Background while disabled.
    TColor DisabledColor() const { return FDisabledColor; }
    void SetDisabledColor(TColor value);
    TColor SelectedFontColor() const { return FSelectedFontColor; }
    void SetSelectedFontColor(TColor value);
    TFontStyles SelectedFontStyle() const { return FSelectedFontStyle; }
    void SetSelectedFontStyle(TFontStyles value);
    bool HideFocus() const { return FHideFocus; }
    void SetHideFocus(bool value);
    // Background of the rows (clWindow: the palette's base colour).
    TColor Color() const { return FColor; }
    void SetColor(TColor value);

    //---- layout of rows
    // Heights measured from each row's text.
    bool ItemAutoHeight() const { return FAutoHeight; }
    void SetItemAutoHeight(bool value);
    // Heights asked from OnMeasureItem.
    bool MeasureItemEvent() const { return FMeasureItem; }
    void SetMeasureItemEvent(bool value);
    // The height of rows that are not measured, and what measuring starts from.
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int value);
    // Rows wrap at the list's width. Turns LargeTextOptions to lbltNone.
    bool MultiLine() const { return FMultiline; }
    void SetMultiLine(bool value);
    // Anything but lbltNone turns MultiLine off.
    TLarkListBoxLargeTextOptions LargeTextOptions() const { return FLargeTextOptions; }
    void SetLargeTextOptions(TLarkListBoxLargeTextOptions value);
    // The widest row's text plus a vertical scroll bar's width, kept while
    // LargeTextOptions is lbltHorzScrollBar.
    int ScrollWidth() const { return FHorzWidth; }
    // Rows flow into this many columns of equal width; 0 is one column
    // without wrapping.
    int Columns() const { return FColumns; }
    void SetColumns(int value);
    bool Sorted() const { return FSorted; }
    void SetSorted(bool value);

    //---- selection
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool value);
    // With MultiSelect: Shift and Ctrl extend the selection (true) or every
    // click toggles a row (false).
    bool ExtendedSelect() const { return FExtendedSelect; }
    void SetExtendedSelect(bool value);

    //---- virtual mode: Count rows whose text comes from OnData
    bool VirtualMode() const { return FVirtual; }
    void SetVirtualMode(bool value);

    //---- editing
    TLarkListBoxEditOptions EditOptions() const { return FEditOptions; }
    void SetEditOptions(TLarkListBoxEditOptions value);
    TLarkCustomListBoxEdit* EditControl() const { return FEdit; }
    // The row being edited, -1 when none.
    int EditIndex() const { return FEditIndex; }
    virtual bool CanEdit() const { return !FVirtual; }

    //---- measuring
    // The row's text extent on the list's font, plus a vertical scroll bar's
    // width: single-line, or wrapped at the list's width with MultiLine.
    virtual int ItemTextWidth(int index);
    // Measures every row (MeasureItem); stores the heights when Apply.
    // Returns the sum of the heights, from TopIndex on when FromTop.
    virtual int MeasureAllItems(bool fromTop, bool apply);
    // The height of a row as the list lays it out.
    int RowHeight(int index);
    // Heights are measured once and kept until a row or a setting changes.
    // Off, every layout measures again; for comparisons.
    bool HeightCaching() const { return FHeightCaching; }
    void SetHeightCaching(bool value);

    // The tooltip window while one shows, else nullptr.
    QWidget* HintWindow() const;

    //---- events
    TNotifyEvent OnSelect;
    TLarkListBoxEditShowEvent OnEditShow;
    TLarkListBoxEditMeasureEvent OnEditMeasure;
    TLarkListBoxEditChangeEvent OnEditChange;
    TNotifyEvent OnEditHide;
    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;
    TLBGetDataEvent OnData;
    TLBGetDataObjectEvent OnDataObject;
    TLBFindDataEvent OnDataFind;

    //---- resets
    void ResetBeveledFocus() { SetBeveledFocus(TListBoxDefaults::BeveledFocus); }
    void ResetBevelFocusShadowColor() { SetBevelFocusShadowColor(TListBoxDefaults::BevelFocusShadowColor); }
    void ResetBevelFocusLightColor() { SetBevelFocusLightColor(TListBoxDefaults::BevelFocusLightColor); }
    void ResetMeasureItemEvent() { SetMeasureItemEvent(TListBoxDefaults::MeasureItemEvent); }
    void ResetHideSelection() { SetHideSelection(TListBoxDefaults::HideSelection); }
    void ResetMargin() { SetMargin(TListBoxDefaults::Margin); }
    void ResetHorzGridColor() { SetHorzGridColor(TListBoxDefaults::HorzGridColor); }
    void ResetHorzGridStyle() { SetHorzGridStyle(TListBoxDefaults::HorzGridStyle); }
    void ResetHorzGridLine() { SetHorzGridLine(TListBoxDefaults::HorzGridLine); }
    void ResetVerticalScrollBar() { SetVerticalScrollBar(TListBoxDefaults::VerticalScrollBar); }
    void ResetSelectedColor() { SetSelectedColor(TListBoxDefaults::SelectedColor); }
    void ResetDisabledColor() { SetDisabledColor(TListBoxDefaults::DisabledColor); }
    void ResetSelectedFontColor() { SetSelectedFontColor(TListBoxDefaults::SelectedFontColor); }
    void ResetSelectedFontStyle() { SetSelectedFontStyle(TListBoxDefaults::SelectedFontStyle); }
    void ResetHideFocus() { SetHideFocus(TListBoxDefaults::HideFocus); }
    virtual void ResetItemAutoHeight() { SetItemAutoHeight(TListBoxDefaults::ItemAutoHeight); }
    void ResetEditOptions() { SetEditOptions(DefaultEditOptions); }
    void ResetLargeTextOptions() { SetLargeTextOptions(DefaultLargeTextOptions); }
    void ResetMultiLine() { SetMultiLine(TListBoxDefaults::MultiLine); }
    void ResetMultiSelect() { SetMultiSelect(TListBoxDefaults::MultiSelect); }
    void ResetExtendedSelect() { SetExtendedSelect(TListBoxDefaults::ExtendedSelect); }
    void ResetSorted() { SetSorted(TListBoxDefaults::Sorted); }
    void ResetColumns() { SetColumns(TListBoxDefaults::Columns); }
    void ResetItemHeight() { SetItemHeight(TListBoxDefaults::ItemHeight); }
    void ResetColor() { SetColor(TListBoxDefaults::Color); }
    void ResetVirtualMode() { SetVirtualMode(TListBoxDefaults::VirtualMode); }

Q_SIGNALS:
    // Emitted with OnSelect.
    void selectChanged();
    // Emitted with OnEditChange and OnEditHide.
    void editChanged(int index);
    void editHidden();

protected:
    friend class TLarkListBoxStrings;
    friend class detail::TLarkListBoxModel;

    //---- drawing and measuring (the delegate calls these)
    // Steps 1 to 9 of a row: background, selection colours, the row's
    // content (DrawItem), grid line, focus frame.
    void PaintRow(QPainter& painter, const QRect& r, int index, TOwnerDrawState state);
    // The row's content; R is the whole row (wider than the list while the
    // horizontal extent is). Plain text here.
    virtual void DrawItem(TCanvas& canvas, int index, const QRect& r, TOwnerDrawState state);
    // Height arrives as ItemHeight.
    virtual void MeasureItem(int index, int& height);
    // Plain-text drawing, shared with descendants that fall back to it.
    void DrawPlainItem(TCanvas& canvas, int index, const QRect& r, TOwnerDrawState state);
    void MeasurePlainItem(int index, int& height);
    // Text colour of unselected rows.
    virtual TColor ItemTextColor() const;
    // The background colour rows are filled with.
    TColor BackgroundColor() const;
    // The font rows are drawn with.
    QFont ItemFont() const { return font(); }
    // Whether a measured height may be kept: not while a handler could
    // answer differently for the same row.
    virtual bool HeightsCacheable() const;
    // Forgets every measured height and lays the rows out again.
    void RemeasureRows();
    // Whether the rows have variable heights.
    bool VariableHeights() const;

    //---- the tooltip
    // The tooltip text of a clipped row.
    virtual QString HintText(int index) { return GetStringValue(index); }
    void UpdateHint(QPoint viewportPos);
    void HideHint();

    //---- editing
    virtual void OpenEditor(bool insert, int index);
    virtual void CloseEditor();
    void EditorKeyDown(int& key);
    // Rows inserted or removed by anyone but the editor close it first.
    void CloseEditorForRowChange();

    //---- rows changed while the view draws or measures them
    // The rows the view's model reports: Count(), or while a change waits
    // (see DeferRowChange) the rows the view last heard of.
    int ShownCount() const { return FShownRows >= 0 ? FShownRows : Count(); }

    //---- notifications
    // The user changed the selection.
    virtual void Select();
    virtual void OptionsChanged() { DoUpdate(); }
    // The list's text font changed: extents and heights are measured again.
    void FontChanged();

    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void keyboardSearch(const QString& search) override;
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    friend class TLarkListBoxDelegate;
    class TLarkListBoxDelegate;

    // Row notifications from Items (before and after each change).
    void RowsInserting(int first, int last);
    void RowsInserted(int first, int last);
    void RowsRemoving(int first, int last);
    void RowsRemoved();
    void RowChanging(int index);
    void RowChanged(int index);
    void RowsResetting();
    void RowsReset();

    void ApplySelectionMode();
    void ApplyLayoutMode();
    void ApplyScrollBars();
    void RecomputeHorzExtent();
    void NoteHorzExtent(int width);
    int SizeHintWidth() const;
    // Runs a selection change the program made: OnSelect is for the user's.
    void ProgramSelection(const std::function<void()>& change);

    TLarkListBoxStrings FItems{this};
    std::unique_ptr<detail::TLarkListBoxModel> FModel;
    std::unique_ptr<TLarkListBoxDelegate> FDelegate;
    std::vector<int> FHeights; // measured heights, -1 when not measured
    bool FHeightCaching = true;
    int FHeightsWidth = -1;    // viewport width multi-line heights are for

    bool FBeveledFocus = TListBoxDefaults::BeveledFocus;
    TColor FBevelFocusLightColor = TListBoxDefaults::BevelFocusLightColor;
    TColor FBevelFocusDarkColor = TListBoxDefaults::BevelFocusShadowColor;
    TLarkListBoxEditOptions FEditOptions = DefaultEditOptions;
    int FEditIndex = -1;
    bool FVertical = TListBoxDefaults::VerticalScrollBar;
    bool FHideFocus = TListBoxDefaults::HideFocus;
    bool FHorzGridLine = TListBoxDefaults::HorzGridLine;
    TColor FDisabledColor = TListBoxDefaults::DisabledColor;
    TColor FSelectedColor = TListBoxDefaults::SelectedColor;
    TColor FSelectedFontColor = TListBoxDefaults::SelectedFontColor;
    TColor FHorzGridColor = TListBoxDefaults::HorzGridColor;
    TPenStyle FHorzGridStyle = TListBoxDefaults::HorzGridStyle;
    int FHorzWidth = 0;
    bool FHorzWidthStale = false; // the widest row went: recompute after the change
    int FChangingRowWidth = 0;
    bool FHideSelection = TListBoxDefaults::HideSelection;
    QPointer<TLarkCustomListBoxEdit> FEdit;
    TLarkListBoxLargeTextOptions FLargeTextOptions = DefaultLargeTextOptions;
    int FMargin = TListBoxDefaults::Margin;
    TFontStyles FSelectedFontStyle = TListBoxDefaults::SelectedFontStyle;
    std::unique_ptr<detail::TLarkListBoxHint> FHintWindow;
    bool FVirtual = TListBoxDefaults::VirtualMode;
    int FVirtualCount = 0;
    bool FAutoHeight = TListBoxDefaults::ItemAutoHeight;
    bool FMeasureItem = TListBoxDefaults::MeasureItemEvent;
    bool FMultiline = TListBoxDefaults::MultiLine;
    bool FMultiSelect = TListBoxDefaults::MultiSelect;
    bool FExtendedSelect = TListBoxDefaults::ExtendedSelect;
    bool FSorted = TListBoxDefaults::Sorted;
    int FColumns = TListBoxDefaults::Columns;
    int FItemHeight = TListBoxDefaults::ItemHeight;
    TColor FColor = TListBoxDefaults::Color;
    int FProgramSelection = 0;
    bool FClosingEditor = false;
    int FEditorRowChange = 0; // the editor's own row changes under way
    int FViewPass = 0;        // the view is drawing or measuring a row
    int FShownRows = -1;      // rows the view knows while a change waits, else -1

    // A view in the middle of laying out or painting cannot take a row
    // change (a handler's): the change waits, and a reset of the whole list
    // follows from the event loop. True when the change must wait.
    bool DeferRowChange();
    bool RowChangeWaits() const { return FShownRows >= 0; }
    void ApplyWaitingRowChanges();

    // Property helpers for types the meta-object system does not know.
    int HorzGridStyleInt() const { return int(FHorzGridStyle); }
    void SetHorzGridStyleInt(int value) { SetHorzGridStyle(TPenStyle(value)); }
    int SelectedFontStyleInt() const { return FSelectedFontStyle.ToInt(); }
    void SetSelectedFontStyleInt(int value) { SetSelectedFontStyle(TFontStyles::FromInt(value)); }
};

} // namespace lark
