#include <lark/framework/canvas.h>
#include <lark/framework/exceptions.h>
#include <lark/framework/image_list.h>
#include <lark/framework/picture.h>

#include <QPainter>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace lark {

namespace {

// Grey, half-transparent copy: how a disabled image looks.
QPixmap Greyed(const QPixmap& pixmap)
{
    QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grey = qGray(line[x]);
            line[x] = qRgba(grey, grey, grey, qAlpha(line[x]) / 2);
        }
    }
    return QPixmap::fromImage(image);
}

} // namespace

TChangeLink::~TChangeLink()
{
    if (FSender)
        FSender->UnRegisterChanges(this);
}

void TChangeLink::Change()
{
    if (OnChange)
        OnChange(FSender);
}

TCustomImageList::TCustomImageList(QObject* parent)
    : QObject(parent)
{
}

TCustomImageList::TCustomImageList(int width, int height, QObject* parent)
    : QObject(parent)
    , FWidth(std::max(1, width))
    , FHeight(std::max(1, height))
{
}

TCustomImageList::~TCustomImageList()
{
    for (TChangeLink* link : std::as_const(FLinks))
        link->FSender = nullptr;
}

void TCustomImageList::SetWidth(int value)
{
    value = std::max(1, value);
    if (value == FWidth)
        return;
    FWidth = value;
    FImages.clear();
    FTwins.clear();
    Change();
}

void TCustomImageList::SetHeight(int value)
{
    value = std::max(1, value);
    if (value == FHeight)
        return;
    FHeight = value;
    FImages.clear();
    FTwins.clear();
    Change();
}

QList<QPixmap> TCustomImageList::Pieces(const QImage& image, int scale) const
{
    QList<QPixmap> pieces;
    if (image.isNull())
        return pieces;
    // Transparent padding where the source is smaller than a piece.
    QImage source = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    source.setDevicePixelRatio(1.0);
    const int width = FWidth * scale;
    const int height = FHeight * scale;
    const int count = std::max(1, source.width() / width);
    for (int i = 0; i < count; ++i) {
        QImage piece = source.copy(i * width, 0, width, height);
        piece.setDevicePixelRatio(scale);
        pieces.append(QPixmap::fromImage(piece));
    }
    return pieces;
}

QList<QPixmap> TCustomImageList::Twins(const QImage& twiceSized, qsizetype count) const
{
    QList<QPixmap> twins = Pieces(twiceSized, 2);
    twins.resize(count);
    return twins;
}

int TCustomImageList::Add(const QImage& image, const QImage& twiceSized)
{
    const QList<QPixmap> pieces = Pieces(image);
    if (pieces.isEmpty())
        return -1;
    const int first = Count();
    FImages.append(pieces);
    FTwins.append(Twins(twiceSized, pieces.size()));
    Change();
    return first;
}

namespace {

QImage Masked(const QImage& image, TColor maskColor)
{
    if (image.isNull())
        return image;
    QImage masked = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb mask = ToQColor(maskColor).rgb();
    for (int y = 0; y < masked.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(masked.scanLine(y));
        for (int x = 0; x < masked.width(); ++x) {
            if ((line[x] | 0xFF000000u) == mask)
                line[x] = 0;
        }
    }
    return masked;
}

} // namespace

int TCustomImageList::AddMasked(const QImage& image, TColor maskColor, const QImage& twiceSized)
{
    if (image.isNull())
        return -1;
    return Add(Masked(image, maskColor), Masked(twiceSized, maskColor));
}

void TCustomImageList::CheckIndex(int index) const
{
    if (index < 0 || index >= Count())
        throw EInvalidOperation(u"Invalid ImageList Index"_s);
}

void TCustomImageList::Replace(int index, const QImage& image, const QImage& twiceSized)
{
    CheckIndex(index);
    const QList<QPixmap> pieces = Pieces(image);
    FImages[index] = pieces.isEmpty() ? QPixmap() : pieces.first();
    FTwins[index] = Twins(twiceSized, 1).first();
    Change();
}

void TCustomImageList::Delete(int index)
{
    CheckIndex(index);
    FImages.removeAt(index);
    FTwins.removeAt(index);
    Change();
}

void TCustomImageList::Clear()
{
    FImages.clear();
    FTwins.clear();
    Change();
}

QPixmap TCustomImageList::GetImage(int index, qreal ratio) const
{
    if (index < 0 || index >= Count())
        return {};
    if (ratio > 1.0 && HasTwiceSized(index))
        return FTwins.at(index);
    return FImages.at(index);
}

bool TCustomImageList::HasTwiceSized(int index) const
{
    return index >= 0 && index < Count() && !FTwins.at(index).isNull();
}

void TCustomImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const
{
    QPainter* painter = canvas.Painter();
    const qreal ratio = painter && painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    const QPixmap image = GetImage(index, ratio);
    if (image.isNull())
        return;
    canvas.Draw(x, y, enabled ? image : Greyed(image));
}

bool TCustomImageList::GetBitmap(int index, TBitmap& bitmap) const
{
    const QPixmap image = GetImage(index);
    if (image.isNull())
        return false;
    bitmap.SetImage(image.toImage());
    return true;
}

void TCustomImageList::RegisterChanges(TChangeLink* link)
{
    if (!link || link->FSender == this)
        return;
    if (link->FSender)
        link->FSender->UnRegisterChanges(link);
    link->FSender = this;
    FLinks.append(link);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* link)
{
    if (!link || link->FSender != this)
        return;
    link->FSender = nullptr;
    FLinks.removeOne(link);
}

void TCustomImageList::Change()
{
    // A handler may unregister or destroy links: only tell those still here.
    const QList<TChangeLink*> links = FLinks;
    for (TChangeLink* link : links) {
        if (FLinks.contains(link))
            link->Change();
    }
    if (OnChange)
        OnChange(this);
    Q_EMIT changed();
}

} // namespace lark
