// The wrap step: with word wrapping on, the parser breaks lines while it
// collects characters, so the list it builds is already divided into lines.
//
// After every character appended to the current run Cur:
//
//   | break | item | item | Cur ........|x        x: the character just added
//   |<------ line offset ------>|<- W ->|         overflow: offset + W > MaxWidth
//
// On overflow the run is cut at its last blank (the blank stays on this
// line) and the rest moves to a new line that starts with a soft break. A
// blank that overflows ends its line where it stands, taking no room there
// (the run keeps its width without it), and the new line starts with the next
// word rather than one blank in. A word with no blank is moved whole when
// other items precede it on the line, and split between characters when it
// alone does not fit on an empty line.
// Measuring the growing run is cheap: its width is summed incrementally (see
// measure.cpp), and the line offset is kept up to date by the parser state.
#include "lark/html/parse/parser_p.h"

namespace lark::detail {

namespace {

struct CutResult
{
    QString carried;   // text that moves to the new line
    bool retake = false; // the last character was taken off and must be produced again
    bool blankEndsLine = false; // the character that overflowed is a blank, kept at the line's end
};

// A blank that ends a line shows nothing and takes no room there: the run
// keeps the width it had without it, so that the line stays within the
// width it was wrapped to.
void LeaveEndingBlankUncounted(TLarkHTMLItem& run)
{
    run.ChopText(1);
    const int width = run.GetWidth();
    run.AppendText(u' ');
    run.FTWidth = width;
}

// Cuts Cur's text for the break and returns what moves to the next line.
CutResult CutRun(ParserState& state)
{
    TLarkHTMLItem& cur = *state.Cur;
    const QString& text = cur.Text();
    const qsizetype lastBlank = text.lastIndexOf(u' ');
    const TLarkHTMLItem* last = state.LastItem();
    CutResult cut;
    if (text.back() == u' ') {
        cut.blankEndsLine = true;
        return cut;
    }
    if (lastBlank < 0 && last && last->IsBreakItem()) {
        // The word alone overflows an otherwise empty line: split it here,
        // though never inside a surrogate pair.
        const qsizetype size = text.size();
        const bool pair = size >= 2 && text[size - 1].isLowSurrogate() && text[size - 2].isHighSurrogate();
        const qsizetype carried = pair ? 2 : 1;
        cut.carried = text.right(carried);
        cur.ChopText(carried);
        return cut;
    }
    if (text.size() > 1) {
        cur.ChopText(1);
        cut.retake = true;
    }
    // Everything after the last blank (the whole word when there is none).
    const qsizetype keep = lastBlank + 1;
    if (keep < cur.Text().size()) {
        cut.carried = cur.Text().mid(keep);
        cur.ChopText(cur.Text().size() - keep);
    }
    return cut;
}

} // namespace

bool WrapLine(ParserState& state)
{
    TLarkHTMLItem& cur = *state.Cur;
    const std::int64_t width = cur.GetWidth();
    const std::int64_t offset = std::int64_t(cur.FWidth) + state.LineOffset();
    if (width + offset <= state.Data.MaxWidth())
        return false;

    const CutResult cut = CutRun(state);
    if (cut.blankEndsLine)
        LeaveEndingBlankUncounted(cur);
    const bool keepCur = !cur.Text().isEmpty();
    state.Append(std::move(state.Cur));

    // The new line continues the alignment and list state of the line it
    // breaks, and the formatting of the run it cuts.
    const TLarkHTMLBreakItem* lineStart = state.LastBreakItem();
    auto softBreak = state.NewBreak(hitSoftBreak, state.LastItem());
    softBreak->AssignBreakProps(lineStart);
    state.Cur = state.FormatCopy(*softBreak);
    state.Cur->SetText(cut.carried);
    state.Append(std::move(softBreak));

    // A run emptied by the cut leaves no empty item behind. When it was a
    // link just listed as focusable, the run that carries the link on to the
    // new line takes its place, so the link stays focusable.
    if (!keepCur) {
        const int count = state.Data.GetItemCount();
        const int emptied = count >= 2 ? count - 2 : 0;
        state.HandOverControl(*state.Data.GetItem(emptied), *state.Cur);
        state.RemoveAt(emptied);
    }
    return cut.retake;
}

} // namespace lark::detail
