// The control tag: an embedded widget of a class the registry knows, made,
// sized and configured from the tag's attributes, focusable. A tag whose
// handling fails is dropped whole; the text around it goes on.
#include <lark/framework/class_registry.h>
#include "lark/html/handlers/handlers_p.h"
#include "lark/html/parse/value_tables_p.h"
#include <lark/html/render.h>

#include <exception>

namespace lark::detail {

void HandleControl(ParserState& state, ParsedTag& tag)
{
    if (!tag.Params)
        return;
    // Only registered classes are ever created; for untrusted content only
    // those the application allows as well.
    const QString className = tag.Value(u"vclclass");
    if (!ClassRegistry::Instance().IsRegistered(AsciiLower(className)))
        return;
    if (state.Render.Untrusted() && !state.Render.ControlAllowList().IsClassAllowed(className))
        return;
    auto next = state.EndRun(tag.HadText);
    auto control = std::make_unique<TLarkHTMLControlItem>(&state.Data);
    control->Assign(next.get());
    control->FItemType = hitControl;
    try {
        control->ReadAttributes(*tag.Params);
        TLarkHTMLItem* added = control.get();
        state.Append(std::move(control));
        state.Data.ControlsArrayRef().append(added);
    } catch (const std::exception&) {
        // Abandoned: the item and its control go, the run after it starts
        // as if the tag had not been there.
    }
    state.Cur = std::move(next);
}

} // namespace lark::detail
