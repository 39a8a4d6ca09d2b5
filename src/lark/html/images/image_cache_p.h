#pragma once
// Internal: image files ("file:" sources), read safely and kept decoded.
//
// Reading refuses what could hang or exhaust the process: anything but a
// regular file (a FIFO or a device would block or never end), a file larger
// than its cap, and a picture whose stated size is beyond the pixel caps (a
// decompression bomb). The caps are in lark/framework/limits.h.
//
// The cache keeps decoded files by path and by the file's identity, size and
// modification time, so that repainting a picture does not decode it again
// while a file changed on disk is decoded afresh. It is process-wide and,
// like the rest of the engine, used from the GUI thread only.

#include <QImage>
#include <QString>

#include <cstdint>
#include <vector>

namespace lark::detail {

// Why a file gave no picture.
enum class ImageFileError : std::uint8_t {
    None,
    CannotOpen,     // missing, unreadable, or a path no file can have
    NotRegularFile, // a directory, FIFO, socket or device
    TooLarge,       // more bytes than the file cap
    TooManyPixels,  // a stated or decoded size beyond the pixel caps
    Undecodable,    // no format recognised, or the data is broken
};

struct DecodedImage
{
    QImage Image;
    bool IsBitmap = false; // BMP data: drawn with a transparent colour
};

// What identifies one version of a file's content.
struct FileStamp
{
    std::uint64_t Device = 0;
    std::uint64_t Inode = 0;
    std::int64_t Size = 0;
    std::int64_t ModifiedNs = 0;

    bool operator==(const FileStamp&) const = default;
};

// An image file opened for reading after the checks that need no reading.
class ImageFile
{
public:
    ImageFile() = default;
    ~ImageFile();
    ImageFile(const ImageFile&) = delete;
    ImageFile& operator=(const ImageFile&) = delete;

    // Opens path (relative to the current directory) without ever blocking.
    ImageFileError Open(const QString& path);
    const FileStamp& Stamp() const { return FStamp; }
    // Reads the opened file and decodes it, the size checked first.
    ImageFileError Decode(DecodedImage& picture);

private:
    int FHandle = -1;
    QString FPath;
    FileStamp FStamp;
};

// Decodes image data whatever its origin, with the pixel caps.
ImageFileError DecodeImageData(const QByteArray& data, DecodedImage& picture);

class ImageFileCache
{
public:
    static ImageFileCache& Instance();

    // The picture in the file at path, from the cache while the file is the
    // one it was decoded from. On failure picture is left empty. Failures are
    // remembered too, so a broken file is not read again on every paint.
    ImageFileError Load(const QString& path, DecodedImage& picture);
    void Clear();

    struct Statistics
    {
        int Decodes = 0; // files read and decoded (successfully or not)
        int Hits = 0;    // loads answered from the cache
    };
    const Statistics& Stats() const { return FStats; }
    int Count() const { return int(FEntries.size()); }
    std::int64_t Bytes() const { return FBytes; }

private:
    struct Entry
    {
        QString Path;
        FileStamp Stamp;
        DecodedImage Picture;
        ImageFileError Error = ImageFileError::None;
        std::uint64_t LastUse = 0;
    };

    Entry* Find(const QString& path);
    void Remove(const QString& path);
    void Store(Entry entry);
    void EvictFor(std::int64_t bytes);

    std::vector<Entry> FEntries;
    std::int64_t FBytes = 0;
    std::uint64_t FClock = 0;
    Statistics FStats;
};

} // namespace lark::detail
