#pragma once
// Image lists: equal-sized images drawn by index, with change links through
// which users (hosts showing "index:" images) hear about every change.
//
// An image may have a twice-sized twin (what an "icons@2x.png" strip holds
// beside "icons.png"): high-DPI screens draw the twin, at the image's size
// in logical pixels.
//
//     list.Add(QImage(u"icons.png"_s), QImage(u"icons@2x.png"_s));
//     list.GetImage(0, 2.0);   // the twin, device pixel ratio 2
//
// A TChangeLink registered with a list is told of each change; destroying
// either side first is safe: the link unregisters itself, and the list
// detaches every link it still has.

#include <lark/framework/color.h>
#include <lark/framework/object.h>

#include <QImage>
#include <QList>
#include <QObject>
#include <QPixmap>

namespace lark {

class TBitmap;
class TCanvas;
class TCustomImageList;

class TChangeLink
{
public:
    TChangeLink() = default;
    virtual ~TChangeLink();
    TChangeLink(const TChangeLink&) = delete;
    TChangeLink& operator=(const TChangeLink&) = delete;

    // The list this link is registered with, or nullptr.
    TCustomImageList* Sender() const { return FSender; }
    // Raises OnChange with the list as sender.
    virtual void Change();

    TNotifyEvent OnChange;

private:
    friend class TCustomImageList;
    TCustomImageList* FSender = nullptr;
};

class TCustomImageList : public QObject
{
    Q_OBJECT

public:
    explicit TCustomImageList(QObject* parent = nullptr);
    TCustomImageList(int width, int height, QObject* parent = nullptr);
    ~TCustomImageList() override;

    // Image size, default 16 by 16. Changing it empties the list.
    int Width() const { return FWidth; }
    void SetWidth(int value);
    int Height() const { return FHeight; }
    void SetHeight(int value);
    int Count() const { return int(FImages.size()); }

    // Adds image cut into Width-wide pieces from the left (one piece when it
    // is narrower), each cropped or padded with transparent pixels to the
    // list's size. Returns the index of the first piece; -1 for a null image.
    // twiceSized, when given, is the same strip at twice the size, cut alike
    // into twins of twice the list's size; pieces it lacks have no twin.
    int Add(const QImage& image, const QImage& twiceSized = {});
    // As Add, with every pixel of maskColor made transparent (in both).
    int AddMasked(const QImage& image, TColor maskColor, const QImage& twiceSized = {});
    // Throw EInvalidOperation "Invalid ImageList Index" for a bad index.
    void Replace(int index, const QImage& image, const QImage& twiceSized = {});
    void Delete(int index);
    void Clear();

    // The image at index; a null pixmap for an index outside the list. For a
    // device pixel ratio above 1 an image with a twin gives the twin, whose
    // devicePixelRatio() is 2 (the same logical size).
    QPixmap GetImage(int index, qreal ratio = 1.0) const;
    bool HasTwiceSized(int index) const;
    // Draws image index with its top-left at (x, y), greyed when not
    // enabled, from its twin on a high-DPI canvas; an index outside the
    // list draws nothing.
    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true) const;
    // Puts image index into bitmap; false (bitmap untouched) for a bad index.
    bool GetBitmap(int index, TBitmap& bitmap) const;

    // Registering moves a link from any other list to this one.
    void RegisterChanges(TChangeLink* link);
    void UnRegisterChanges(TChangeLink* link);

    // Raised after every change, after the links were told, before changed().
    TNotifyEvent OnChange;

Q_SIGNALS:
    void changed();

protected:
    virtual void Change();

private:
    QList<QPixmap> Pieces(const QImage& image, int scale = 1) const;
    // The twins for the pieces of one Add: one per piece, null where none.
    QList<QPixmap> Twins(const QImage& twiceSized, qsizetype count) const;
    void CheckIndex(int index) const;

    int FWidth = 16;
    int FHeight = 16;
    QList<QPixmap> FImages;
    QList<QPixmap> FTwins; // parallel to FImages; null: no twin
    QList<TChangeLink*> FLinks;
};

} // namespace lark
