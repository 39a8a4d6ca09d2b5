// The input tag: a check box or radio button item of 17 by 17 pixels unless
// the tag sizes it, focusable, named in lower case. Types other than those of
// the input type table (text fields, say) are ignored.
#include "lark/html/handlers/handlers_p.h"
#include "lark/html/parse/tag_table_p.h"
#include "lark/html/parse/value_tables_p.h"

namespace lark::detail {

namespace {

constexpr int kInputBoxSize = 17;

} // namespace

void HandleInput(ParserState& state, ParsedTag& tag)
{
    if (!tag.Params)
        return;
    const TInputTypeCode type = FindInputType(AsciiLower(tag.Value(u"type")));
    if (type == ittNone)
        return;
    auto input = std::make_unique<TLarkHTMLInputItem>(&state.Data);
    input->Assign(state.Cur.get());
    input->FItemType = hitInput;
    const QString name = tag.Value(u"name");
    if (!name.isEmpty())
        input->SetName(name);
    input->FWidth = kInputBoxSize;
    input->FHeight = kInputBoxSize;
    // After the name: a named radio button joins its group here.
    input->SetInputType(type == ittRadio ? itRadioButton : itCheckBox);
    // A checked value that is no Boolean throws, which fails the whole parse.
    input->ReadAttributes(*tag.Params);

    auto next = state.EndRun(tag.HadText);
    TLarkHTMLItem* added = input.get();
    state.Append(std::move(input));
    state.Data.ControlsArrayRef().append(added);
    state.Cur = std::move(next);
}

} // namespace lark::detail
