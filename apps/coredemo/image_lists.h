#pragma once
// TfrmImages: the holder of the image list the label, panel and list box
// pages show as "index:0" ... "index:4". It is created with the main window
// and never shown. The five 16 x 16 images are drawn here: a document, a
// folder, a star, a check mark and a globe.

#include <QObject>

namespace lark {

class TCustomImageList;

class TfrmImages : public QObject
{
    Q_OBJECT

public:
    explicit TfrmImages(QObject* parent = nullptr);

    TCustomImageList* ImageList() const { return FImageList; }

    static constexpr int ImageCount = 5;

private:
    TCustomImageList* FImageList = nullptr;
};

} // namespace lark
