#pragma once
// One parsed document: the item list, the focusable items, the radio group
// names, the defaults copied from the host, and the prepared text size.

#include <lark/framework/color.h>
#include <lark/framework/font.h>
#include <lark/framework/string_list.h>
#include <lark/html/model/items.h>

#include <QList>
#include <QPointer>
#include <QRect>
#include <QSize>

#include <cstdint>

#include <memory>
#include <vector>

namespace lark {

class ILarkHTMLControl;
class TLarkHTMLRender;

namespace detail {
struct LineIndex;
}

class TLarkHTMLData
{
public:
    TLarkHTMLData();
    ~TLarkHTMLData();
    TLarkHTMLData(const TLarkHTMLData&) = delete;
    TLarkHTMLData& operator=(const TLarkHTMLData&) = delete;

    // Copies the document defaults from a host: font style, name, charset,
    // colour and height; the options' line gap, link colour and link style.
    void AssignSettings(ILarkHTMLControl* aControl);
    // Frees every item and empties the lists. SelectedItem is kept unless it
    // was one of the freed items (then nullptr, rather than dangling).
    void ClearArrays();
    // 0 for fewer than two items, else the number of break items.
    int LineCount() const;
    // Throws EListError for an index outside the list.
    TLarkHTMLItem* GetItem(int index) const;
    TLarkHTMLItem* Item(int index) const { return GetItem(index); }
    int GetItemCount() const { return int(FArray.size()); }
    int ItemCount() const { return GetItemCount(); }
    // The document written back as simplified HTML with the current state of
    // its inputs and controls.
    QString GenerateHTML() const;

    //---- list operations used by the parser and the handlers
    void AppendItem(std::unique_ptr<TLarkHTMLItem> item);
    void InsertItem(int index, std::unique_ptr<TLarkHTMLItem> item);
    // Removes and frees the item at index, dropping any reference to it.
    void DeleteItem(int index);
    // Removes the item at index and hands it back (ownership to the caller).
    std::unique_ptr<TLarkHTMLItem> TakeItem(int index);
    TLarkHTMLItem* LastItem() const { return FArray.empty() ? nullptr : FArray.back().get(); }
    int IndexOfItem(const TLarkHTMLItem* item) const;
    const std::vector<std::unique_ptr<TLarkHTMLItem>>& Items() const { return FArray; }
    // Drops every reference the container keeps to item besides the list
    // itself (ControlsArray, SelectedItem, ActiveItem), for an item that is
    // about to be freed or handed over.
    void ForgetItem(const TLarkHTMLItem* item);
    // Grows on every change of the item list, so that a pass can tell whether
    // the list changed behind its back (an event handler, say).
    std::uint64_t ListVersion() const { return FListVersion; }

    const QList<TLarkHTMLItem*>& ControlsArray() const { return FControlsArray; }
    QList<TLarkHTMLItem*>& ControlsArrayRef() { return FControlsArray; }
    TStringList& RadioList() { return FRadioList; }
    const TStringList& RadioList() const { return FRadioList; }

    // The render object the container works for (it measures with its
    // canvas); nullptr once that render object is gone.
    TLarkHTMLRender* Render() const;
    void SetRender(TLarkHTMLRender* r);

    //---- properties
    TColor LinkColor() const { return FLinkColor; }
    void SetLinkColor(TColor v) { FLinkColor = v; }
    TColor DefaultColor() const { return FDefaultColor; }
    void SetDefaultColor(TColor v) { FDefaultColor = v; }
    TFontStyles LinkStyle() const { return FLinkStyle; }
    void SetLinkStyle(TFontStyles v) { FLinkStyle = v; }
    TFontStyles DefaultStyle() const { return FDefaultStyle; }
    void SetDefaultStyle(TFontStyles v) { FDefaultStyle = v; }
    int DefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(int v) { FDefaultHeight = v; }
    int Charset() const { return FCharset; }
    void SetCharset(int v) { FCharset = v; }
    const QString& DefaultFont() const { return FDefaultFont; }
    void SetDefaultFont(const QString& v) { FDefaultFont = v; }
    int LineSpacing() const { return FLineSpacing; }
    void SetLineSpacing(int v) { FLineSpacing = v; }
    int LineGap() const { return FLineGap; }
    void SetLineGap(int v) { FLineGap = v; }
    int MaxWidth() const { return FMaxWidth; }
    void SetMaxWidth(int v) { FMaxWidth = v; }
    TColor DefaultBgColor() const { return FDefaultBgColor; }
    void SetDefaultBgColor(TColor v) { FDefaultBgColor = v; }
    TColor HighlightBgColor() const { return FHighlightBgColor; }
    void SetHighlightBgColor(TColor v) { FHighlightBgColor = v; }
    TColor HighlightColor() const { return FHighlightColor; }
    void SetHighlightColor(TColor v) { FHighlightColor = v; }
    TLarkHTMLItem* SelectedItem() const { return FSelectedItem; }
    // Gives a windowed embedded control the input focus when it is selected.
    void SetSelectedItem(TLarkHTMLItem* value);
    // Stores the selection without moving the focus (clicks and link steps).
    void StoreSelectedItem(TLarkHTMLItem* value) { FSelectedItem = value; }
    const QRect& Rect() const { return FRect; }
    void SetRect(const QRect& v) { FRect = v; }
    QSize TextSize() const { return FTextSize; }
    void SetTextSize(const QSize& v) { FTextSize = v; }
    TLarkHTMLInputItem* ActiveItem() const { return FActiveItem; }
    // Notifies the render object (Change) only when the item really changes.
    void SetActiveItem(TLarkHTMLInputItem* value);
    int HOffset() const { return FHOffset; }
    void SetHOffset(int v) { FHOffset = v; }
    int VOffset() const { return FVOffset; }
    void SetVOffset(int v) { FVOffset = v; }
    void* AuxData() const { return FAuxData; }
    void SetAuxData(void* v) { FAuxData = v; }

    //---- line index (layout/line_index_p.h: the line metrics pass builds it,
    // the paint pass and the hit test read it)
    detail::LineIndex& LineIndex() { return *FLineIndex; }
    const detail::LineIndex& LineIndex() const { return *FLineIndex; }

private:
    std::vector<std::unique_ptr<TLarkHTMLItem>> FArray;
    QList<TLarkHTMLItem*> FControlsArray;
    TStringList FRadioList;
    // Weak: a container made by CreateData may outlive its render object.
    QPointer<TLarkHTMLRender> FRender;
    TColor FLinkColor = clBlue;
    TColor FDefaultColor = clWindowText;
    TFontStyles FLinkStyle{fsUnderline};
    TFontStyles FDefaultStyle;
    int FDefaultHeight = -11;
    int FCharset = 0;
    QString FDefaultFont = QStringLiteral("MS Sans Serif");
    int FLineSpacing = 0;
    int FLineGap = 0;
    int FMaxWidth = 0;
    TColor FDefaultBgColor = clNone;
    // Selected runs start in the system highlight colours rather than black on
    // black, which would hide the text.
    TColor FHighlightBgColor = clHighlight;
    TColor FHighlightColor = clHighlightText;
    TLarkHTMLItem* FSelectedItem = nullptr;
    QRect FRect;
    QSize FTextSize{0, 0};
    TLarkHTMLInputItem* FActiveItem = nullptr;
    int FHOffset = 0;
    int FVOffset = 0;
    void* FAuxData = nullptr;
    std::uint64_t FListVersion = 0;
    std::unique_ptr<detail::LineIndex> FLineIndex;
};

} // namespace lark
