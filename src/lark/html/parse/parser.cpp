// The HTML parser: one forward pass over the text that collects characters
// into the current run and hands every tag to its handler. There is no tree:
// every tag ends the current run when it holds anything and starts a new one
// with the formatting in force, changed by the tag. Nothing is ever reported
// as a syntax error; unknown tags are ignored and unclosed ones stay open.
//
//   ParseDocument   defaults, the character loop, the closing steps
//   ReadCharacter   one character: tag, CR LF, character reference, text
//   ReadTag         name, comment, attributes, the tag-found event, handler
// The parser state (items, the list with its caches, producing text) is in
// parser_state.cpp.
#include "lark/html/handlers/handlers_p.h"
#include "lark/html/layout/line_metrics_p.h"
#include "lark/html/parse/parser_p.h"
#include "lark/html/parse/tag_table_p.h"
#include "lark/html/parse/value_tables_p.h"
#include <lark/html/parse/values.h>
#include <lark/html/render.h>
#include "lark/html/untrusted/untrusted_p.h"

using namespace Qt::StringLiterals;

namespace lark::detail {

namespace {

//---- Tags -----------------------------------------------------------------

// Skips a comment; pos is on the second hyphen of "<!--", which may take
// part in the closing "-->", so "<!--->" is complete. Without an end the
// rest of the text is the comment.
void SkipComment(ParserState& state, qsizetype pos)
{
    const qsizetype end = state.Text.indexOf(u"-->", pos);
    state.Pos = end < 0 ? state.Text.size() - 1 : end + 2;
}

// The tag-found event may replace the tag name, the current run and the
// attribute list. The parser keeps owning the list it made and takes over a
// list the handler put in its place.
void RaiseTagFound(ParserState& state, ParsedTag& tag, std::unique_ptr<TStringList>& replacedParams)
{
    const QString original = tag.Name;
    TLarkHTMLItem* item = state.Cur.get();
    TStringList* params = tag.Params;
    state.Render.DoTagFound(tag.Name, item, params, original.contains(u'/'), tag.Code != tcUnknown);
    if (params != tag.Params) {
        replacedParams.reset(params);
        tag.Params = params;
    }
    state.AdoptCur(item);
    if (tag.Name != original) {
        tag.Name = AsciiLower(tag.Name);
        tag.Code = FindTag(tag.Name);
    }
}

void HandleTag(ParserState& state, QString name, std::unique_ptr<TStringList> params)
{
    ParsedTag tag;
    tag.Name = AsciiLower(name);
    tag.Params = params.get();
    tag.HadText = state.Cur->ItemType() != hitChar || !state.Cur->Text().isEmpty();
    tag.Code = FindTag(tag.Name);
    std::unique_ptr<TStringList> replacedParams;
    RaiseTagFound(state, tag, replacedParams);
    if (state.Render.Untrusted() &&
        state.Nesting.Ignores(tag.Code, int(state.FontStack.size()), state.ListLevel))
        return;
    if (const TagHandler handler = HandlerFor(tag.Code))
        handler(state, tag);
}

// Pos is on "<". Ends with Pos on the tag's last character.
void ReadTag(ParserState& state)
{
    const QString& text = state.Text;
    const qsizetype size = text.size();
    qsizetype pos = state.Pos + 1;
    QString name;
    for (; pos < size && text[pos] != u'>' && text[pos] != u' '; ++pos) {
        name.append(text[pos]);
        if (name.size() == 3 && name == u"!--") {
            SkipComment(state, pos);
            return;
        }
    }
    if (pos >= size) {
        // A tag cut off by the end of the text is dropped.
        state.Pos = size - 1;
        return;
    }
    state.Pos = pos;
    std::unique_ptr<TStringList> params;
    if (text[pos] == u' ') {
        params = std::make_unique<TStringList>();
        ReadAttributes(text, state.Pos, *params);
        if (state.Render.Untrusted())
            CapAttributeValues(*params);
    } else if (name.startsWith(u"~~")) {
        // <~~name>: the variable's name follows the tildes directly.
        params = std::make_unique<TStringList>();
        params->Add(u"p1="_s + name.mid(2));
        name = u"~~"_s;
    }
    HandleTag(state, std::move(name), std::move(params));
}

//---- Text -----------------------------------------------------------------

// Pos is on "&" and a non-blank follows. Ends with Pos on the reference's
// last character, or back on "&" when it turned out to be plain text.
void ReadCharacterReference(ParserState& state)
{
    const QString& text = state.Text;
    const qsizetype amp = state.Pos;
    const qsizetype start = amp + 1;
    const bool numeric = start < text.size() && text[start] == u'#';
    const qsizetype semicolon = state.NextSemicolon(numeric ? start + 1 : start);
    if (!numeric && semicolon < 0) {
        state.Produce(u'&', BlankRule::Keep);
        state.Pos = amp;
        return;
    }
    // A numeric reference without ";" runs to the end of the text.
    const qsizetype end = semicolon < 0 ? text.size() : semicolon;
    state.Pos = semicolon < 0 ? text.size() - 1 : semicolon;
    const TCharRef ref = DecodeCharRef(QStringView(text).sliced(start, end - start));
    switch (ref.kind) {
    case TCharRef::Blank:
        state.Produce(u' ', BlankRule::Collapse);
        break;
    case TCharRef::Character:
        // A named or numeric character, even a blank, never merges.
        state.Produce(ref.ch, BlankRule::Keep);
        break;
    case TCharRef::Nothing:
        break;
    }
}

void ReadCharacter(ParserState& state)
{
    const QString& text = state.Text;
    const QChar ch = text[state.Pos];
    const bool hasNext = state.Pos + 1 < text.size();
    switch (ch.unicode()) {
    case u'<':
        ReadTag(state);
        return;
    case u'\r':
        // CR LF and a lone CR produce nothing; a lone LF is ordinary text.
        if (hasNext && text[state.Pos + 1] == u'\n')
            ++state.Pos;
        return;
    case u'&':
        if (!hasNext || text[state.Pos + 1] != u' ') {
            ReadCharacterReference(state);
            return;
        }
        break;
    default:
        break;
    }
    state.Produce(ch, BlankRule::Collapse);
}

// The run still open at the end joins the list when it holds anything.
void FinishLastRun(ParserState& state)
{
    const bool hasContent = state.Cur->ItemType() != hitChar || !state.Cur->Text().isEmpty();
    if (hasContent)
        state.Append(std::move(state.Cur));
    else
        state.Discard(std::move(state.Cur));
}

// Every line starts with a break item, the first one too. The paragraph is
// made fresh: it has no formatting of its own.
void InsertLeadingParagraph(ParserState& state)
{
    TLarkHTMLData& data = state.Data;
    if (data.GetItemCount() == 0 || data.GetItem(0)->ItemType() == hitPara)
        return;
    data.InsertItem(0, std::make_unique<TLarkHTMLBreakItem>(&data, hitPara));
}

} // namespace

//---- The parse ------------------------------------------------------------

void ParseDocument(TLarkHTMLRender& render, TLarkHTMLData& data, const QString& source, bool autoWrap)
{
    // Untrusted text beyond the size cap is dropped as if the snippet ended.
    const QString text = render.Untrusted() ? CapUntrustedText(source) : source;
    ParserState state(render, data, text, autoWrap);
    state.Base = std::make_unique<TLarkHTMLItem>(&data);
    state.Base->FontStyle = data.DefaultStyle();
    state.Settings = {data.DefaultFont(), data.DefaultHeight(), data.DefaultColor(), data.DefaultBgColor()};
    ApplyFontSettings(*state.Base, state.Settings);
    state.Cur = state.FormatCopy(*state.Base);

    for (state.Pos = 0; state.Pos < text.size(); ++state.Pos)
        ReadCharacter(state);

    FinishLastRun(state);
    InsertLeadingParagraph(state);
    RunLineMetrics(data);
}

} // namespace lark::detail
