// The cache of decoded image files.
//
// Every load still opens the file and reads its identity (device, inode,
// size, modification time) — a few system calls — so a file replaced or
// touched on disk shows at the next paint; only the decoding is saved. The
// cache holds at most a set number of pictures and of decoded bytes and lets
// the least recently used picture go first. A picture larger than the whole
// budget is decoded on every load rather than flushing everything else.
#include <lark/framework/limits.h>
#include "lark/html/images/image_cache_p.h"

#include <QDir>

#include <algorithm>

namespace lark::detail {

namespace {

std::int64_t PictureBytes(const DecodedImage& picture)
{
    return std::int64_t(picture.Image.sizeInBytes());
}

} // namespace

ImageFileCache& ImageFileCache::Instance()
{
    static ImageFileCache cache;
    return cache;
}

ImageFileError ImageFileCache::Load(const QString& path, DecodedImage& picture)
{
    picture = DecodedImage{};
    ImageFile file;
    const ImageFileError opened = file.Open(path);
    // The same relative name means another file in another directory.
    const QString key = QDir::current().absoluteFilePath(path);
    if (opened != ImageFileError::None) {
        Remove(key);
        return opened;
    }
    if (Entry* entry = Find(key); entry && entry->Stamp == file.Stamp()) {
        ++FStats.Hits;
        entry->LastUse = ++FClock;
        picture = entry->Picture;
        return entry->Error;
    }
    ++FStats.Decodes;
    DecodedImage decoded;
    const ImageFileError error = file.Decode(decoded);
    if (error == ImageFileError::None)
        picture = decoded;
    Store(Entry{ key, file.Stamp(), std::move(decoded), error, ++FClock });
    return error;
}

void ImageFileCache::Clear()
{
    FEntries.clear();
    FBytes = 0;
}

ImageFileCache::Entry* ImageFileCache::Find(const QString& path)
{
    const auto found =
        std::find_if(FEntries.begin(), FEntries.end(), [&](const Entry& entry) { return entry.Path == path; });
    return found == FEntries.end() ? nullptr : &*found;
}

void ImageFileCache::Remove(const QString& path)
{
    const auto found =
        std::find_if(FEntries.begin(), FEntries.end(), [&](const Entry& entry) { return entry.Path == path; });
    if (found == FEntries.end())
        return;
    FBytes -= PictureBytes(found->Picture);
    FEntries.erase(found);
}

void ImageFileCache::Store(Entry entry)
{
    Remove(entry.Path);
    const std::int64_t bytes = PictureBytes(entry.Picture);
    if (bytes > limits::kImageCacheBytes)
        return;
    EvictFor(bytes);
    FBytes += bytes;
    FEntries.push_back(std::move(entry));
}

// Makes room for one more entry of that many bytes.
void ImageFileCache::EvictFor(std::int64_t bytes)
{
    while (!FEntries.empty()
           && (int(FEntries.size()) >= limits::kImageCacheEntries || FBytes + bytes > limits::kImageCacheBytes)) {
        const auto oldest = std::min_element(FEntries.begin(), FEntries.end(), [](const Entry& a, const Entry& b) {
            return a.LastUse < b.LastUse;
        });
        FBytes -= PictureBytes(oldest->Picture);
        FEntries.erase(oldest);
    }
}

} // namespace lark::detail
