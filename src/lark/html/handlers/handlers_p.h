#pragma once
// Internal: the tag handlers. Each has the same shape: it reads the tag's
// attributes, changes the parser state and appends the items the tag makes.
// The parser finds a handler by the tag's code in one table.

#include "lark/html/parse/parser_p.h"

namespace lark::detail {

using TagHandler = void (*)(ParserState& state, ParsedTag& tag);

// The handler of a tag code; nullptr for codes that do nothing (unknown
// tags, "html") and therefore leave the current run going.
TagHandler HandlerFor(int code);

// style_tags.cpp: sub, sup, b, i, var, s, u and their closing forms
// Moves Pos to the ">" ending a tag that has attributes (it is normally
// there already).
void MoveToTagEnd(ParserState& state, const ParsedTag& tag);
void HandleSub(ParserState& state, ParsedTag& tag);
void HandleSup(ParserState& state, ParsedTag& tag);
void HandleFontStyle(ParserState& state, ParsedTag& tag);
// list_tags.cpp
void HandleListStart(ParserState& state, ParsedTag& tag);
void HandleListEnd(ParserState& state, ParsedTag& tag);
void HandleListItem(ParserState& state, ParsedTag& tag);
// para_tags.cpp
void HandleParagraph(ParserState& state, ParsedTag& tag);
void HandleBreak(ParserState& state, ParsedTag& tag);
void HandleIndent(ParserState& state, ParsedTag& tag);
// link_tags.cpp
void HandleLinkStart(ParserState& state, ParsedTag& tag);
void HandleLinkEnd(ParserState& state, ParsedTag& tag);
// rule_tags.cpp
void HandleRule(ParserState& state, ParsedTag& tag);
// font_tags.cpp
void HandleFont(ParserState& state, ParsedTag& tag);
void HandleFontEnd(ParserState& state, ParsedTag& tag);
// variable_tag.cpp
void HandleVariable(ParserState& state, ParsedTag& tag);
// body_tag.cpp
void HandleBody(ParserState& state, ParsedTag& tag);
// input_tag.cpp
void HandleInput(ParserState& state, ParsedTag& tag);
// control_tag.cpp
void HandleControl(ParserState& state, ParsedTag& tag);
// image_tag.cpp
void HandleImageTag(ParserState& state, ParsedTag& tag);

} // namespace lark::detail
