// Link tags: a starts a link run in the link colour and style and makes it
// focusable, /a ends it and goes back to the formatting before the link.
#include "lark/html/handlers/handlers_p.h"
#include <lark/html/parse/values.h>

namespace lark::detail {

void HandleLinkStart(ParserState& state, ParsedTag& tag)
{
    if (!tag.Params)
        return;
    auto link = state.FormatCopy(*state.Cur);
    // The run before the link is listed even when it is empty.
    state.Append(std::move(state.Cur));
    link->SetIsLink(true);
    link->SetLinkRef(tag.Value(u"href"));
    link->FontColor = ParseColor(tag.Value(u"color"), state.Data.LinkColor());
    link->FontStyle = state.Data.LinkStyle();
    // Focusable from here on; should the run stay empty, it is taken out again.
    state.ListAsControl(*link);
    state.Cur = std::move(link);
}

void HandleLinkEnd(ParserState& state, ParsedTag& tag)
{
    // Built by hand rather than with EndRun: the next run is no link, so an
    // empty link run ending here gives its focus to nobody.
    auto next = state.FormatCopy(*state.Cur);
    next->SetLinkRef({});
    next->SetIsLink(false);
    if (tag.HadText)
        state.Append(std::move(state.Cur));
    else
        state.Retire(std::move(state.Cur), *next);
    if (const TLarkHTMLItem* plain = state.LastNonLinkItem()) {
        next->FontStyle = plain->FontStyle;
        next->FontColor = plain->FontColor;
    } else {
        next->FontStyle = state.Data.DefaultStyle();
        next->FontColor = state.Data.DefaultColor();
    }
    state.Cur = std::move(next);
}

} // namespace lark::detail
