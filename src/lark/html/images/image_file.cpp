// Reading an image file without trusting it.
//
// The file's type and size are checked before it is opened and again on the
// opened handle (the name may have been replaced in between). It is opened
// without blocking, read in full up to the byte cap, and decoded only when
// the size its header states is within the pixel caps; the decoder gets an
// allocation limit for formats that state no size.
#include <lark/framework/limits.h>
#include "lark/html/images/image_cache_p.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QtGlobal>

#include <algorithm>

#if defined(Q_OS_UNIX)
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QDateTime>
#include <QFileInfo>
#endif

namespace lark::detail {

namespace {

bool IsBitmapFormat(const QByteArray& format)
{
    return format == "bmp" || format == "dib";
}

bool SizeWithinCaps(QSize size)
{
    if (size.width() > limits::kMaxImageSide || size.height() > limits::kMaxImageSide)
        return false;
    // Decoded pictures have 32 bits per pixel.
    const std::int64_t bytes = std::int64_t(size.width()) * size.height() * 4;
    return bytes <= std::int64_t(limits::kImageAllocationLimitMB) * 1024 * 1024;
}

// A path that names no file: empty, or with a NUL, which the system call
// would take as the end of a shorter name.
bool UnusablePath(const QString& path)
{
    return path.isEmpty() || path.contains(QChar(u'\0'));
}

#if defined(Q_OS_UNIX)

FileStamp StampOf(const struct stat& info)
{
    FileStamp stamp;
    stamp.Device = std::uint64_t(info.st_dev);
    stamp.Inode = std::uint64_t(info.st_ino);
    stamp.Size = std::int64_t(info.st_size);
#if defined(Q_OS_DARWIN)
    const struct timespec& modified = info.st_mtimespec;
#else
    const struct timespec& modified = info.st_mtim;
#endif
    stamp.ModifiedNs = std::int64_t(modified.tv_sec) * 1000000000 + modified.tv_nsec;
    return stamp;
}

ImageFileError CheckType(const struct stat& info)
{
    if (!S_ISREG(info.st_mode))
        return ImageFileError::NotRegularFile;
    if (info.st_size > limits::kMaxImageFileBytes)
        return ImageFileError::TooLarge;
    return ImageFileError::None;
}

// Reads up to limit + 1 bytes, so that a file that grew past the cap since
// it was checked is noticed.
bool ReadAll(int handle, std::int64_t expected, std::int64_t limit, QByteArray& data)
{
    data.resize(qsizetype(std::min(expected, limit) + 1));
    qsizetype filled = 0;
    for (;;) {
        if (filled == data.size()) {
            if (filled > limit)
                return false;
            data.resize(qsizetype(std::min<std::int64_t>(std::int64_t(data.size()) * 2, limit + 1)));
        }
        const ssize_t got = ::read(handle, data.data() + filled, size_t(data.size() - filled));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            break;
        filled += qsizetype(got);
    }
    if (filled > limit)
        return false;
    data.truncate(filled);
    return true;
}

#endif

} // namespace

ImageFileError DecodeImageData(const QByteArray& data, DecodedImage& picture)
{
    QBuffer buffer;
    buffer.setData(data);
    if (!buffer.open(QIODevice::ReadOnly))
        return ImageFileError::Undecodable;
    // The format comes from the data, not the name: a PNG called .bmp is
    // still drawn as a PNG.
    QImageReader reader(&buffer);
    reader.setAllocationLimit(limits::kImageAllocationLimitMB);
    const QByteArray format = reader.format();
    if (format.isEmpty())
        return ImageFileError::Undecodable;
    const QSize stated = reader.size();
    if (stated.isValid() && !SizeWithinCaps(stated))
        return ImageFileError::TooManyPixels;
    QImage image = reader.read();
    if (image.isNull())
        return ImageFileError::Undecodable;
    if (!SizeWithinCaps(image.size()))
        return ImageFileError::TooManyPixels;
    picture.Image = std::move(image);
    picture.IsBitmap = IsBitmapFormat(format);
    return ImageFileError::None;
}

#if defined(Q_OS_UNIX)

ImageFile::~ImageFile()
{
    if (FHandle >= 0)
        ::close(FHandle);
}

ImageFileError ImageFile::Open(const QString& path)
{
    if (FHandle >= 0) {
        ::close(FHandle);
        FHandle = -1;
    }
    if (UnusablePath(path))
        return ImageFileError::CannotOpen;
    const QByteArray name = QFile::encodeName(path);
    struct stat info = {};
    // Look before opening: opening a FIFO waits for a writer, opening a
    // device can have effects of its own.
    if (::stat(name.constData(), &info) != 0)
        return ImageFileError::CannotOpen;
    if (const ImageFileError error = CheckType(info); error != ImageFileError::None)
        return error;
    const int handle = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (handle < 0)
        return ImageFileError::CannotOpen;
    FHandle = handle;
    if (::fstat(handle, &info) != 0)
        return ImageFileError::CannotOpen;
    if (const ImageFileError error = CheckType(info); error != ImageFileError::None)
        return error;
    FPath = path;
    FStamp = StampOf(info);
    return ImageFileError::None;
}

ImageFileError ImageFile::Decode(DecodedImage& picture)
{
    if (FHandle < 0)
        return ImageFileError::CannotOpen;
    QByteArray data;
    if (!ReadAll(FHandle, FStamp.Size, limits::kMaxImageFileBytes, data))
        return ImageFileError::TooLarge;
    return DecodeImageData(data, picture);
}

#else

// Elsewhere the checks go through Qt; the modification time is the only
// identity a file has.
ImageFile::~ImageFile() = default;

ImageFileError ImageFile::Open(const QString& path)
{
    if (UnusablePath(path))
        return ImageFileError::CannotOpen;
    const QFileInfo info(path);
    if (!info.exists())
        return ImageFileError::CannotOpen;
    if (!info.isFile())
        return ImageFileError::NotRegularFile;
    if (info.size() > limits::kMaxImageFileBytes)
        return ImageFileError::TooLarge;
    FPath = path;
    FStamp = FileStamp{ 0, 0, info.size(), info.lastModified().toMSecsSinceEpoch() * 1000000 };
    FHandle = 0;
    return ImageFileError::None;
}

ImageFileError ImageFile::Decode(DecodedImage& picture)
{
    QFile file(FPath);
    if (FHandle < 0 || !file.open(QIODevice::ReadOnly))
        return ImageFileError::CannotOpen;
    const QByteArray data = file.read(limits::kMaxImageFileBytes + 1);
    if (data.size() > limits::kMaxImageFileBytes)
        return ImageFileError::TooLarge;
    return DecodeImageData(data, picture);
}

#endif

} // namespace lark::detail
