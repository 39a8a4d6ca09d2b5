// The variable tag, <~~name> or <~~ name=x>: the application supplies the
// text through the variable-needed event; a variable nobody answers shows
// the tag's own "~~".
#include "lark/html/handlers/handlers_p.h"
#include <lark/html/render.h>

using namespace Qt::StringLiterals;

namespace lark::detail {

void HandleVariable(ParserState& state, ParsedTag& tag)
{
    auto next = state.EndRun(tag.HadText);
    auto variable = state.FormatCopy(*next);
    variable->FItemType = hitVar;
    // The name as written: variables are the application's, quotes and all.
    QString name = tag.RawValue(u"name");
    if (name.isEmpty())
        name = tag.RawValue(u"p1");
    QString value = tag.Name;
    state.Render.DoVariableNeeded(name, value);
    variable->SetText(value);
    state.Append(std::move(variable));
    // Every variable is followed by one blank.
    next->SetText(u" "_s);
    state.Cur = std::move(next);
}

} // namespace lark::detail
