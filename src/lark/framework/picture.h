#pragma once
// Pictures of the component model over QImage.
//
// TBitmap is an image with a canvas to draw on; TPicture holds the graphic
// loaded from a file or handed over by the application and remembers whether
// it was a bitmap (BMP data), because bitmaps are drawn differently (their
// bottom-left pixel can mark the transparent colour).

#include <lark/framework/color.h>
#include <lark/framework/object.h>

#include <QImage>
#include <QObject>
#include <QString>

#include <memory>

namespace lark {

class TCanvas;

class TBitmap
{
public:
    TBitmap();
    ~TBitmap();
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    // The size in logical pixels: an image made for a high-DPI screen (a
    // device pixel ratio above 1) has more pixels than that.
    int Width() const { return qRound(FImage.width() / FImage.devicePixelRatio()); }
    int Height() const { return qRound(FImage.height() / FImage.devicePixelRatio()); }
    void SetWidth(int value) { SetSize(value, Height()); }
    void SetHeight(int value) { SetSize(Width(), value); }
    // Keeps the pixels that still fit; new area is white. Negative sizes
    // count as 0.
    void SetSize(int width, int height);
    bool Empty() const { return FImage.isNull(); }

    // A canvas over the image; painting ends whenever the image is read,
    // resized or replaced, and begins again on the next drawing call.
    TCanvas& Canvas();
    const QImage& Image() const;
    void SetImage(const QImage& image);
    void Assign(const TBitmap& source);

    // Throws EFOpenError for a file that cannot be opened and
    // EInvalidGraphic for data that does not decode.
    void LoadFromFile(const QString& path);
    // Loads the Qt resource ":/name" (or with ".bmp" or ".png" added);
    // throws EResNotFound when there is none.
    void LoadFromResourceName(const QString& name);

    // The colour of the bottom-left pixel, which marks transparent pixels
    // when the bitmap is drawn transparently; clNone for an empty bitmap.
    TColor TransparentColor() const;

private:
    void EndPainting() const;

    QImage FImage;
    std::unique_ptr<TCanvas> FCanvas;
};

class TPicture : public QObject
{
    Q_OBJECT

public:
    explicit TPicture(QObject* parent = nullptr);
    ~TPicture() override;
    TPicture(const TPicture&) = delete;
    TPicture& operator=(const TPicture&) = delete;

    // True when there is no graphic (or an empty one).
    bool Empty() const { return FBitmap.Empty(); }
    // True when the graphic came from bitmap (BMP) data or through Bitmap().
    bool IsBitmap() const { return FIsBitmap; }
    int Width() const { return FBitmap.Width(); }
    int Height() const { return FBitmap.Height(); }
    const QImage& Image() const { return FBitmap.Image(); }
    void SetImage(const QImage& image, bool isBitmap = false);

    // The graphic as a bitmap; a graphic of another kind is dropped first,
    // leaving an empty bitmap to draw on.
    TBitmap& Bitmap();

    // Reads any image format Qt decodes; the format, not the file name,
    // decides IsBitmap. Throws EFOpenError for a missing or unreadable file
    // and EInvalidGraphic for data that does not decode; the picture is
    // unchanged then.
    void LoadFromFile(const QString& path);
    void Assign(const TPicture& source);
    void Assign(const TBitmap& source);
    void Clear();

    // Raised after every change of the graphic made through TPicture,
    // before changed().
    TNotifyEvent OnChange;

Q_SIGNALS:
    void changed();

private:
    void Changed();

    TBitmap FBitmap;
    bool FIsBitmap = false;
};

namespace detail {
// Reads an image file; sets isBitmap for BMP data. Throws as LoadFromFile.
QImage ReadImageFile(const QString& path, bool* isBitmap);
} // namespace detail

} // namespace lark
