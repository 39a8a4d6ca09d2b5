#pragma once
// Every limit the library applies to what it is given, in one place, each
// with the reason it exists. A limit turns hostile or broken input into
// the ordinary failure of its kind (an image that stays empty, a tag that is
// ignored), never into an error the user sees.
//
// Append new limits with their reason; keep the groups by area.

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

} // namespace lark::limits
