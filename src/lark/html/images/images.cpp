// Where pictures come from: HandleImage resolves an image source into a
// picture, and the two raisers ask the application for the sources the engine
// does not know.
//
//   "index:n"  image n of the render object's image list
//   "file:p"   the image file p (relative to the current directory)
//   "res:name" the program's resource ":/name" (Qt resource system)
//   other      the bitmap-needed event, then the image-needed event
//
// On a high-DPI screen a file or resource with a twice-sized twin named with
// "@2x" before its extension ("logo@2x.png" beside "logo.png"), and an image
// list image with a twin (TCustomImageList::Add), is drawn from the twin, at
// the plain image's size in logical pixels: sharp, and laid out the same. Bitmaps keep their plain file, as transparent drawing works on
// their pixels.
//
// Prefixes ignore letter case. Every failure leaves the picture empty: the
// item keeps its box and nothing reaches the user. Decoded files come from
// the image file cache; the events are raised on every call.
//
// Untrusted content names no files and no program resources: in untrusted
// mode "file:" and "res:" sources stay empty (a snippet from elsewhere must
// not probe the disk or the program), while image lists and the events,
// which show only what the application offers, keep working.
#include "lark/html/images/image_cache_p.h"

#include <lark/framework/convert.h>
#include <lark/framework/image_list.h>
#include <lark/framework/picture.h>
#include <lark/html/render.h>

#include <QWidget>

using namespace Qt::StringLiterals;

namespace lark {

namespace {

bool HasPrefix(const QString& source, QStringView prefix)
{
    return source.startsWith(prefix, Qt::CaseInsensitive);
}

// "dir/logo.png" -> "dir/logo@2x.png"; "logo" -> "logo@2x".
QString TwiceSizedName(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    const qsizetype dot = path.lastIndexOf(u'.');
    const qsizetype at = dot > slash + 1 ? dot : path.size();
    return QString(path).insert(at, u"@2x");
}

bool WantsTwiceSized(const QWidget* host)
{
    return host && host->devicePixelRatioF() > 1.0;
}

// The twin of a picture as a picture of the plain one's logical size.
void SetTwiceSized(TPicture& picture, QImage image)
{
    image.setDevicePixelRatio(2.0);
    picture.SetImage(image, false);
}

// A twin stays a bitmap like the plain image, so that a transparent image
// leaves out its corner colour at every ratio; it measures the plain size.
void LoadFromImageList(const TCustomImageList* list, QStringView number, TPicture& picture, bool twiceSized)
{
    const int index = StrToIntDef(number, -1);
    if (!list || index < 0 || index >= list->Count())
        return;
    TBitmap bitmap;
    if (twiceSized && list->HasTwiceSized(index))
        bitmap.SetImage(list->GetImage(index, 2.0).toImage());
    else if (!list->GetBitmap(index, bitmap))
        return;
    picture.Assign(bitmap);
}

void LoadFromFile(const QString& path, TPicture& picture, bool twiceSized)
{
    detail::ImageFileCache& cache = detail::ImageFileCache::Instance();
    detail::DecodedImage decoded;
    if (twiceSized && cache.Load(TwiceSizedName(path), decoded) == detail::ImageFileError::None &&
        !decoded.IsBitmap) {
        SetTwiceSized(picture, decoded.Image);
        return;
    }
    if (cache.Load(path, decoded) == detail::ImageFileError::None)
        picture.SetImage(decoded.Image, decoded.IsBitmap);
}

void LoadFromResource(const QString& name, TPicture& picture, bool twiceSized)
{
    if (twiceSized) {
        try {
            TPicture twin;
            twin.LoadFromFile(u":/"_s + TwiceSizedName(name));
            if (!twin.IsBitmap()) {
                SetTwiceSized(picture, twin.Image());
                return;
            }
        } catch (const std::exception&) {
            // No twin: the plain resource below.
        }
    }
    try {
        TBitmap bitmap;
        bitmap.LoadFromResourceName(name);
        picture.Assign(bitmap);
    } catch (const std::exception&) {
        // A missing or broken resource shows as an empty box.
    }
}

} // namespace

void TLarkHTMLRender::HandleImage(const QString& aSrc, TPicture& img)
{
    if (HasPrefix(aSrc, u"index:")) {
        LoadFromImageList(FImageList, QStringView(aSrc).mid(6), img, WantsTwiceSized(Control()));
    } else if (HasPrefix(aSrc, u"file:")) {
        if (!FUntrusted)
            LoadFromFile(aSrc.mid(5), img, WantsTwiceSized(Control()));
    } else if (HasPrefix(aSrc, u"res:")) {
        if (!FUntrusted)
            LoadFromResource(aSrc.mid(4), img, WantsTwiceSized(Control()));
    } else {
        DoImageNeeded(aSrc, img);
    }
}

void TLarkHTMLRender::DoImageNeeded(const QString& sourceName, TPicture& image)
{
    if (OnBitmapNeeded) {
        TBitmap* bitmap = nullptr;
        DoBitmapNeeded(sourceName, bitmap);
        // The handler keeps its bitmap; the picture takes a copy.
        if (bitmap) {
            image.Assign(*bitmap);
            return;
        }
    }
    if (!OnImageNeededEx)
        return;
    try {
        OnImageNeededEx(this, sourceName, &image);
    } catch (...) {
        // The application's failure to supply an image is not the user's
        // concern; the picture holds whatever the handler got to load.
    }
}

void TLarkHTMLRender::DoBitmapNeeded(const QString& sourceName, TBitmap*& image)
{
    image = nullptr;
    if (!OnBitmapNeeded)
        return;
    try {
        OnBitmapNeeded(this, sourceName, image);
    } catch (...) {
        // A handler that fails supplies nothing; the image-needed event
        // gets its turn.
        image = nullptr;
    }
}

} // namespace lark
