#pragma once
// Internal: the state of one parse, shared by the character loop (parser.cpp),
// the wrap step (wrap.cpp) and the tag handlers (handlers/*.cpp).
//
// Vocabulary of the handlers:
//   format copy of X  a new hitChar item with X's formatting (Assign): fonts,
//                     colours, link, indent, colour nesting, FBoolState bits;
//   flush             append Cur to the list when the tag found it holding
//                     something (HadText);
//   retire            free Cur when it held nothing;
//   new run           flush, N := format copy of Cur, change N, retire, Cur := N.
//
// Every change of the item list made by the parser goes through Append and
// RemoveAt, which keep three small caches in step with the list: the line
// offset of the wrap step, the last break item and the last item that is not
// a link. A cache is trusted only while the list's version is the one it was
// computed for, so a list changed by an event handler is simply walked again.

#include <lark/framework/string_list.h>
#include <lark/html/model/data.h>
#include "lark/html/model/font_settings_p.h"
#include <lark/html/model/items.h>
#include "lark/html/parse/attributes_p.h"
#include "lark/html/untrusted/untrusted_p.h"

#include <QString>
#include <QStringView>

#include <cstdint>
#include <memory>
#include <vector>

namespace lark {

class TLarkHTMLRender;

namespace detail {

// The tag being handled.
struct ParsedTag
{
    QString Name;                  // lower case, after the tag-found event
    int Code = -1;                 // its code in the tag table
    TStringList* Params = nullptr; // null when the tag has no attributes
    bool HadText = false;          // Cur held something when the tag was read

    bool IsClosing() const { return Name.startsWith(u'/'); }
    // The unquoted value of an attribute; empty when absent or without Params.
    QString Value(QStringView name) const { return Params ? Attribute(*Params, name) : QString(); }
    QString RawValue(QStringView name) const { return Params ? RawAttribute(*Params, name) : QString(); }
};

// Whether a produced blank merges with a blank already ending the run.
enum class BlankRule : std::uint8_t { Collapse, Keep };

class ParserState
{
public:
    ParserState(TLarkHTMLRender& render, TLarkHTMLData& data, const QString& text, bool autoWrap);
    ~ParserState();
    ParserState(const ParserState&) = delete;
    ParserState& operator=(const ParserState&) = delete;

    TLarkHTMLRender& Render;
    TLarkHTMLData& Data;
    const QString& Text;
    const bool AutoWrap;
    qsizetype Pos = 0; // 0-based position of the character being read

    std::unique_ptr<TLarkHTMLItem> Cur; // the run collecting characters
    std::unique_ptr<TLarkHTMLItem> Base; // the document defaults
    TFontSettings Settings;
    std::vector<TFontSettings> FontStack;
    int ListLevel = 0;
    NestingCap Nesting; // untrusted content only

    //---- items
    // A new hitChar item with the formatting of source.
    std::unique_ptr<TLarkHTMLItem> FormatCopy(const TLarkHTMLItem& source) const;
    // A new break item of the given kind, formatted by Assign from source.
    std::unique_ptr<TLarkHTMLBreakItem> NewBreak(TLarkHTMLItemType kind, const TLarkHTMLItem* source) const;
    // flush, N := format copy of Cur, retire; returns N, which is not current yet.
    std::unique_ptr<TLarkHTMLItem> EndRun(bool hadText);
    // Frees an item that never made it into the list, taking it out of
    // ControlsArray when ListAsControl put it there.
    void Discard(std::unique_ptr<TLarkHTMLItem> item);
    // Frees a run that stayed empty and is followed by successor. An empty
    // link run hands its place among the focusable items on to a successor
    // that continues the same link ("<a href=x><b>text</b></a>").
    void Retire(std::unique_ptr<TLarkHTMLItem> item, TLarkHTMLItem& successor);
    // Lists the current run among the focusable items before it is in the
    // item list (a link is focusable from its tag on). Should the run stay
    // empty and be freed, Discard takes it out again.
    void ListAsControl(TLarkHTMLItem& item);
    // Puts to where from stands among the focusable items, if it does.
    void HandOverControl(const TLarkHTMLItem& from, TLarkHTMLItem& to);
    // Makes item the current run after an event handler replaced it. The
    // replaced run then belongs to the handler. Refused (false) for nullptr
    // and for an item that already is in the list.
    bool AdoptCur(TLarkHTMLItem* item);

    //---- the item list
    void Append(std::unique_ptr<TLarkHTMLItem> item);
    void RemoveAt(int index);
    // Removes the last item when it is a break item of that kind.
    void RemoveLastOfKind(TLarkHTMLItemType kind);
    TLarkHTMLItem* LastItem() const { return Data.LastItem(); }
    TLarkHTMLBreakItem* LastBreakItem();
    // The last item in the list that is not a link, or nullptr.
    TLarkHTMLItem* LastNonLinkItem();
    // Where the next item would start on the current line: the width of the
    // items since the last break item (plus its indent) or absolute indent.
    std::int64_t LineOffset();

    //---- characters
    // Appends ch to Cur (unless it is a blank that merges with the blank
    // ending Cur) and, with wrapping on, breaks the line when it overflows.
    void Produce(QChar ch, BlankRule rule);
    // The index of the next ";" at or after from, -1 when there is none.
    qsizetype NextSemicolon(qsizetype from);

private:
    bool IsCurrent(std::uint64_t version) const { return version == Data.ListVersion(); }
    bool AppendChar(QChar ch, BlankRule rule);
    void AdvanceLineOffset(TLarkHTMLItem& item);

    std::int64_t FLineOffset = 0;
    std::uint64_t FLineOffsetVersion;
    TLarkHTMLBreakItem* FLastBreak = nullptr;
    std::uint64_t FLastBreakVersion;
    TLarkHTMLItem* FLastNonLink = nullptr;
    std::uint64_t FLastNonLinkVersion;
    // The run ListAsControl listed that is not in the item list yet.
    const TLarkHTMLItem* FUnlistedControl = nullptr;
    // Where the last search for ";" started and what it found.
    qsizetype FSemicolonFrom = -1;
    qsizetype FSemicolonAt = -1;
};

// Breaks the line when Cur, which just grew by one character, overflows the
// container's MaxWidth. Returns true when that character was taken off again
// and has to be produced once more on the new line.
bool WrapLine(ParserState& state);

// Runs the parse of text into data: items, and at the end the line metrics.
// Throws whatever the parse throws; the caller decides what a failure means.
void ParseDocument(TLarkHTMLRender& render, TLarkHTMLData& data, const QString& text, bool autoWrap);

} // namespace detail
} // namespace lark
