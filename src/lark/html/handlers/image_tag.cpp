// The img tag: an image item for the "src" source, sized from "width" and
// "height" or, without them, from the picture itself, which is resolved once
// here only to learn that size. Images are transparent unless "transparent"
// is exactly "solid".
#include <lark/framework/convert.h>
#include <lark/framework/limits.h>
#include <lark/framework/picture.h>
#include "lark/html/handlers/handlers_p.h"
#include <lark/html/render.h>

#include <algorithm>

namespace lark::detail {

namespace {

// A negative side is an empty box; a vast one is cut (see kMaxBoxSide).
int BoxSide(int side)
{
    return std::clamp(side, 0, limits::kMaxBoxSide);
}

} // namespace

void HandleImageTag(ParserState& state, ParsedTag& tag)
{
    const QString source = tag.Value(u"src");
    if (source.isEmpty())
        return;
    auto next = state.EndRun(tag.HadText);
    auto image = state.FormatCopy(*next);
    image->FItemType = hitBitmap;
    image->SetText(source);
    image->SetTransparent(tag.Value(u"transparent") != u"solid");

    TPicture picture;
    state.Render.HandleImage(source, picture);
    const bool found = !picture.Empty();
    image->FWidth = BoxSide(StrToIntDef(tag.Value(u"width"), found ? picture.Width() : 0));
    image->FHeight = BoxSide(StrToIntDef(tag.Value(u"height"), found ? picture.Height() : 0));

    state.Append(std::move(image));
    state.Cur = std::move(next);
}

} // namespace lark::detail
