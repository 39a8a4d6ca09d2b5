// Font tags: font pushes the font in force and changes face, size and
// colours; /font pops it. The colour nesting count FFntCnt tells the painter
// which runs have a colour of their own (kept when it paints with override
// colours).
#include "lark/html/handlers/handlers_p.h"
#include <lark/html/parse/values.h>

namespace lark::detail {

namespace {

// Applies the font attributes in their order: face, then name (the later
// one wins), size, colour and background. The colours are always applied,
// so a font tag with attributes but no colour goes back to the defaults.
void ApplyFontAttributes(const ParsedTag& tag, const TLarkHTMLData& data, TFontSettings& settings)
{
    const QString face = tag.Value(u"face");
    if (!face.isEmpty())
        settings.FontName = face;
    const QString name = tag.Value(u"name");
    if (!name.isEmpty())
        settings.FontName = name;
    const QString size = tag.Value(u"size");
    if (!size.isEmpty())
        settings.Height = FontSizeToHeight(size, settings.Height, data.DefaultHeight());
    settings.Color = ParseColor(tag.Value(u"color"), data.DefaultColor());
    QString background = tag.Value(u"bgcolor");
    if (background.isEmpty())
        background = tag.Value(u"background");
    settings.BgColor = ParseColor(background, data.DefaultBgColor());
}

bool SetsColor(const ParsedTag& tag)
{
    return !tag.Value(u"color").isEmpty() || !tag.Value(u"bgcolor").isEmpty() ||
           !tag.Value(u"background").isEmpty();
}

} // namespace

void HandleFont(ParserState& state, ParsedTag& tag)
{
    auto next = state.EndRun(tag.HadText);
    // Pushed even without attributes, so that the matching /font pops it.
    state.FontStack.push_back(state.Settings);
    TFontSettings settings;
    SaveFontSettings(*next, settings);
    if (tag.Params) {
        ApplyFontAttributes(tag, state.Data, settings);
        if (SetsColor(tag))
            ++next->FFntCnt;
    }
    state.Settings = settings;
    ApplyFontSettings(*next, state.Settings);
    state.Cur = std::move(next);
}

void HandleFontEnd(ParserState& state, ParsedTag& tag)
{
    auto next = state.EndRun(tag.HadText);
    if (!state.FontStack.empty()) {
        const TFontSettings& outer = state.FontStack.back();
        if (outer.Color != state.Settings.Color || outer.BgColor != state.Settings.BgColor)
            --next->FFntCnt;
        state.Settings = outer;
        state.FontStack.pop_back();
    }
    // With nothing to pop this puts the font in force back on.
    ApplyFontSettings(*next, state.Settings);
    state.Cur = std::move(next);
    MoveToTagEnd(state, tag);
}

} // namespace lark::detail
