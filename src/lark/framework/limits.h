#pragma once
// Every limit the library applies to what it is given, in one place, each
// with the reason it exists. A limit turns hostile or broken input into
// the ordinary failure of its kind (an image that stays empty, a tag that is
// ignored), never into an error the user sees.
//
// Append new limits with their reason; keep the groups by area.

#include <cstddef>
#include <cstdint>

namespace lark::limits {

//---- Fonts -------------------------------------------------------------------

// Font sizes beyond this many pixels are clamped: far past anything
// readable, and it keeps glyph rasterisation bounded for hostile markup.
inline constexpr int kMaxFontPixelSize = 1024;

//---- Image files ("file:" sources) -----------------------------------------

// Bytes an image file may have. An inline picture of a snippet is small; a
// larger file is refused before it is read, so a huge or endless file cannot
// exhaust memory or hold up a paint.
inline constexpr std::int64_t kMaxImageFileBytes = 64 * 1024 * 1024;

// Pixels an image may have on either side, checked against the size the
// file's header states before anything is decoded. A header claiming a vast
// picture over a few bytes of compressed data (a decompression bomb) leaves
// the picture empty instead of allocating gigabytes.
inline constexpr int kMaxImageSide = 16384;

// Megabytes the image decoder may allocate for one picture (passed to
// QImageReader::setAllocationLimit). Backs the size check for formats whose
// header does not state a size: 128 MB is 32 million pixels at 32 bits.
inline constexpr int kImageAllocationLimitMB = 128;

//---- Caches --------------------------------------------------------------------

// Beyond this many cached glyph layouts the cache starts over: a document's
// visible runs fit many times, and a list box re-parsing rows cannot grow it
// without bound.
inline constexpr std::size_t kMaxPreparedRuns = 16384;
// Likewise for fonts, which a document with many faces and sizes could pile up.
inline constexpr std::size_t kMaxFonts = 256;
// Layouts are keyed by their items, and every parse makes new items: those
// of replaced documents would pile up to the limit above (megabytes for a
// label whose caption keeps changing). Past this many, layouts that no
// recent pass (parse or paint) asked for in kIdlePasses passes are dropped;
// a run that shows again is laid out again.
inline constexpr std::size_t kRunsBeforeSweep = 512;
inline constexpr std::uint64_t kIdlePasses = 16;

// The cache of decoded image files: its total size in bytes of decoded
// pixels and its number of entries. Enough for the pictures of a few pages
// of a help browser; the least recently used picture goes first.
inline constexpr std::int64_t kImageCacheBytes = 64 * 1024 * 1024;
inline constexpr int kImageCacheEntries = 64;

// How far from the surface's origin a stretched picture's box may reach;
// its edges are cut to this. Box sizes come from the markup and may be near
// the int range, where the painter's fixed-point arithmetic overflows; a box
// this large is far beyond any surface anyway.
inline constexpr int kMaxImageBoxCoordinate = 1 << 24;

//---- Untrusted content (render objects in untrusted mode only) --------------

// Characters (UTF-16 code units) of a snippet that are parsed; the rest is
// dropped as if the text ended there. A megacharacter is hundreds of pages,
// far more than a label or a help page shows, and it bounds the time and the
// items one hostile snippet from a database or the network can cost.
inline constexpr int kMaxUntrustedTextChars = 1 << 20;

// Levels of font tags, and of lists, that may be open at once. A font or list
// tag opening a deeper level is ignored with its closing tag. Real snippets
// nest a handful of levels; each list level also moves the text right by an
// indent step, so deep nesting only pushes the text out of sight.
inline constexpr int kMaxUntrustedNesting = 64;

// Characters an attribute value keeps; longer values are cut to this. Link
// targets, captions and colours fit easily, while a megabyte value would be
// copied with every control and link it reaches.
inline constexpr int kMaxUntrustedAttributeChars = 4096;

//---- Sizes written in markup --------------------------------------------------

// Pixels an image box, an input box or a rule may measure across (and a box
// down). A box past 65535 pixels is nothing anyone can see, while sizes near
// the int range, summed into line widths, line heights and the document
// size, overflow them. Larger values are cut to this; a negative box side
// becomes 0, an empty box.
inline constexpr int kMaxBoxSide = 65535;

// Pixels a rule's light and shadow bands may each be thick. Both bands hang
// below the rule's line, so every paint of the lines they reach starts at
// the rule; a band taller than any screen shows nothing more.
inline constexpr int kMaxRuleHeight = 8192;

//---- Embedded controls -------------------------------------------------------

// Sizes of a control tag from 32768 on (and below 1) fall back to the
// defaults: the layout keeps sizes in the range a 16-bit field holds.
inline constexpr int kMaxControlSize = 32767;

//---- Rounds that must converge -------------------------------------------------

// Produced characters taken back by the wrap step return at most twice (a
// word split between characters always leaves room or an empty line); the
// bound only guards against a measurement that contradicts itself.
inline constexpr int kMaxRewraps = 8;

// A view's scroll bars: flipping one bar can flip the other, and a wrapped
// document re-wraps at each flip; both only ever turn bars on, so this is
// never reached.
inline constexpr int kMaxScrollBarRounds = 4;

// Re-parses an event handler of the parse may ask for (a tag handler setting
// the caption, say) before a view settles on the text it shows. Bounded, so
// a handler that always asks again cannot hang the view.
inline constexpr int kMaxNestedRebuilds = 4;

//---- Hosts -------------------------------------------------------------------

// The largest width or height an auto-sized label takes, and the most pixels
// it may cover. Markup can make a document millions of pixels tall or wide
// (a long snippet, deep list indents, huge image boxes); a label that grew
// with it would need gigabytes for the backing store of a window showing it
// whole or for a grab, and its size plus its padding would overflow. Past
// the cap the label shows the top left of its document, as a label too
// small for its text does.
inline constexpr int kMaxAutoSizeExtent = 32767;
inline constexpr std::int64_t kMaxAutoSizePixels = std::int64_t(1) << 24;

} // namespace lark::limits
