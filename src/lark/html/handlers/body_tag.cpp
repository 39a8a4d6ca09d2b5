// The body tag: the document background, a colour or a gradient with an
// optional border. Without a bgcolor the tag does nothing.
#include "lark/html/handlers/handlers_p.h"
#include <lark/html/parse/values.h>

namespace lark::detail {

void HandleBody(ParserState& state, ParsedTag& tag)
{
    const QString color = tag.Value(u"bgcolor");
    if (color.isEmpty())
        return;
    auto next = state.EndRun(tag.HadText);
    auto body = state.FormatCopy(*next);
    body->FItemType = hitBody;
    body->FBgColor1 = ParseColor(color, clWhite);
    body->FBgColor2 = ParseColor(tag.Value(u"bgcolorto"), clWhite);
    const QString direction = tag.Value(u"dir");
    body->FBgVertical = direction == u"v" || direction == u"V";
    body->FBorderColor = ParseColor(tag.Value(u"bordercolor"), clNone);
    state.Append(std::move(body));
    state.Cur = std::move(next);
}

} // namespace lark::detail
