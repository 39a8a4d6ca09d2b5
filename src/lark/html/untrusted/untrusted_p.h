#pragma once
// Internal: the caps the parser applies to untrusted snippets (limits.h gives
// the numbers and their reasons).
//
//   input size        text beyond the cap is dropped, as if the snippet ended
//   attribute length  a value beyond the cap is cut to it
//   nesting           a font or list tag opening a level beyond the cap is
//                     ignored, and so is the closing tag that matches it

#include <QString>

namespace lark {

class TStringList;

namespace detail {

// The text itself when it is within the cap, else its first part.
QString CapUntrustedText(const QString& text);

// Cuts every attribute value longer than the cap; a quoted value keeps its
// quotes.
void CapAttributeValues(TStringList& attributes);

// Counts the font and list levels opened beyond the cap, so that their
// closing tags are ignored as well and the levels below stay as written.
class NestingCap
{
public:
    // Whether the tag of code is to be ignored, given the font stack's depth
    // and the list level in force.
    bool Ignores(int code, int fontDepth, int listDepth);

private:
    static bool Open(bool tooDeep, int& ignored);
    static bool Close(int& ignored);

    int FIgnoredFonts = 0;
    int FIgnoredLists = 0;
};

} // namespace detail
} // namespace lark
