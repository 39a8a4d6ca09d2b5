// The hr tag: a horizontal rule on a line of its own (hard break, rule item,
// hard break), in a light and a shadow colour.
#include <lark/framework/convert.h>
#include <lark/framework/limits.h>
#include "lark/html/handlers/handlers_p.h"
#include <lark/html/parse/values.h>

#include <algorithm>

namespace lark::detail {

void HandleRule(ParserState& state, ParsedTag& tag)
{
    auto next = state.EndRun(tag.HadText);
    state.Append(state.NewBreak(hitBreak, next.get()));

    auto rule = state.FormatCopy(*next);
    rule->FItemType = hitHR;
    if (tag.Params) {
        rule->FWidth = std::clamp(StrToIntDef(tag.Value(u"width"), 0), -limits::kMaxBoxSide, limits::kMaxBoxSide);
        rule->FHeight2 = std::min(StrToIntDef(tag.Value(u"height"), 0), limits::kMaxRuleHeight);
        rule->FBgColor1 = ParseColor(tag.Value(u"lightcolor"), clNone);
        rule->FBgColor2 = ParseColor(tag.Value(u"shadowcolor"), clNone);
    }
    if (rule->FBgColor1 == clNone)
        rule->FBgColor1 = clBtnShadow;
    if (rule->FBgColor2 == clNone)
        rule->FBgColor2 = clBtnFace;
    // A rule is at least one pixel thick; a negative thickness is as
    // meaningless as none.
    if (rule->FHeight2 < 1)
        rule->FHeight2 = 1;
    state.Append(std::move(rule));

    state.Append(state.NewBreak(hitBreak, next.get()));
    state.Cur = std::move(next);
}

} // namespace lark::detail
