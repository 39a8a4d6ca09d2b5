#pragma once
// Image lists: equal-sized images drawn by index, with change links through
// which users (hosts showing "index:" images) hear about every change.
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
    int Add(const QImage& image);
    // As Add, with every pixel of maskColor made transparent.
    int AddMasked(const QImage& image, TColor maskColor);
    // Throw EInvalidOperation "Invalid ImageList Index" for a bad index.
    void Replace(int index, const QImage& image);
    void Delete(int index);
    void Clear();

    // The image at index; a null pixmap for an index outside the list.
    QPixmap GetImage(int index) const;
    // Draws image index with its top-left at (x, y), greyed when not
    // enabled; an index outside the list draws nothing.
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
    QList<QPixmap> Pieces(const QImage& image) const;
    void CheckIndex(int index) const;

    int FWidth = 16;
    int FHeight = 16;
    QList<QPixmap> FImages;
    QList<TChangeLink*> FLinks;
};

} // namespace lark
