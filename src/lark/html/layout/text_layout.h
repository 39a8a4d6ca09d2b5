#pragma once
// TLarkHTMLTextLayout: a prepared document seen as text on a page, for text
// selection and for assistive technology.
//
// Positions are offsets into the document's plain text (the string
// TLarkHTMLRender::AsText returns): offset n lies before its character n.
// Soft breaks take no room there, so an offset keeps naming the same place
// when the document is wrapped again for another width. The layout answers
// which offset lies under a document point, where a character or an item
// is drawn, what a range holds as plain text and as HTML, and where words
// and lines begin and end.
//
// A layout is a snapshot: it is valid while the document's item list is the
// one it was made from (ListVersion) and the area width is the same.
//
//     TLarkHTMLTextLayout layout(*render->Data(), render->Data()->Rect().width());
//     const int at = layout.OffsetAt(documentPoint);
//     QString word = layout.RangeText(layout.WordAt(at));

#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

#include <cstdint>
#include <vector>

namespace lark {

class TLarkHTMLData;
class TLarkHTMLItem;

// A range of plain-text offsets. Start may lie after End (a selection made
// upwards); Normalized() orders them.
struct TLarkHTMLTextRange
{
    int Start = 0;
    int End = 0;

    bool IsEmpty() const { return Start == End; }
    int Length() const { return End > Start ? End - Start : Start - End; }
    TLarkHTMLTextRange Normalized() const { return Start <= End ? *this : TLarkHTMLTextRange{End, Start}; }
    friend bool operator==(const TLarkHTMLTextRange&, const TLarkHTMLTextRange&) = default;
};

class TLarkHTMLTextLayout
{
public:
    // AreaWidth is the width the document is shown in (it places centred and
    // right-aligned lines, as the hit test does).
    TLarkHTMLTextLayout(TLarkHTMLData& data, int areaWidth);

    const QString& Text() const { return FText; }
    int Length() const { return int(FText.size()); }
    std::uint64_t ListVersion() const { return FListVersion; }
    int AreaWidth() const { return FAreaWidth; }
    int LineCount() const { return int(FLines.size()); }

    //---- points and offsets (document coordinates)
    // The offset nearest to a document point: above the document its start,
    // below it its end, left or right of a line that line's start or end.
    int OffsetAt(QPoint docPoint) const;
    // The cell of the character at Offset (an empty-width cell at a line's
    // end for a line break or the document's end); null without lines.
    QRect CharRect(int offset) const;
    // Where an item is drawn; null for items on no line.
    QRect ItemRect(int item) const;
    // The offset where an item's text begins (for items without text, the
    // offset of their place).
    int ItemOffset(int item) const;
    // The areas a range covers, one rectangle per line it touches.
    QList<QRect> RangeRects(TLarkHTMLTextRange range) const;

    //---- boundaries
    // The word, run of blanks or single other character at Offset.
    TLarkHTMLTextRange WordAt(int offset) const;
    // The visual line holding Offset, with its line break.
    TLarkHTMLTextRange LineAt(int offset) const;
    int LineOfOffset(int offset) const;

    //---- contents
    QString RangeText(TLarkHTMLTextRange range) const;
    // The range as an HTML fragment: escaped text with its bold, italic,
    // underline, strike-out, colour and link, line breaks, paragraphs, and the
    // inputs and controls inside the range in their current state.
    QString RangeHTML(TLarkHTMLTextRange range) const;

private:
    struct ItemPlace
    {
        int TextStart = 0;
        int TextLength = 0;
        int Line = -1;
        int X = 0;
        int Width = 0;
    };
    struct Line
    {
        int BreakItem = 0;
        int End = 0;        // one past the last item
        int Top = 0;
        int Height = 0;
        int StartOffset = 0; // after the line break's characters
        int EndOffset = 0;   // before the next line's break characters
    };

    void MapText();
    void PlaceLines();
    // Pixels from a text item's left edge to the boundary before its
    // character n.
    int PrefixWidth(int item, int n) const;
    int OffsetInItem(int item, int px) const;
    int Clamp(int offset) const;

    TLarkHTMLData& FData;
    int FAreaWidth = 0;
    std::uint64_t FListVersion = 0;
    QString FText;
    std::vector<ItemPlace> FPlaces;
    std::vector<Line> FLines;
};

} // namespace lark
