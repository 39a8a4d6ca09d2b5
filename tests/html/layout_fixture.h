#pragma once
// Documents built by hand for the layout and paint tests, so that they do
// not depend on the parser: a line is a break item followed by its items.
#include <lark/framework/canvas.h>
#include <lark/framework/font.h>
#include <lark/html/model/data.h>
#include <lark/html/model/items.h>
#include "lark/html/layout/line_metrics_p.h"
#include <lark/html/render.h>

#include <QFontMetrics>
#include <QImage>

#include <memory>

namespace lark::test {

// Fonts every test machine has (fonts-dejavu-core, fonts-liberation).
inline const QString kSans = QStringLiteral("DejaVu Sans");
inline const QString kSerif = QStringLiteral("Liberation Serif");

class DocBuilder
{
public:
    explicit DocBuilder(TLarkHTMLData& data) : FData(data) {}

    TLarkHTMLBreakItem& Break(TLarkHTMLItemType kind = hitPara, int alignment = 0)
    {
        auto item = std::make_unique<TLarkHTMLBreakItem>(&FData);
        item->FItemType = kind;
        item->SetAlignment(alignment);
        Format(*item);
        return Append(std::move(item));
    }
    TLarkHTMLItem& Text(const QString& text, TFontStyles style = {}, int height = -13)
    {
        auto item = std::make_unique<TLarkHTMLItem>(&FData);
        Format(*item);
        item->FontStyle = style;
        item->FontHeight = height;
        item->SetText(text);
        return Append(std::move(item));
    }
    TLarkHTMLItem& Item(TLarkHTMLItemType kind, int width = 0, int height = 0)
    {
        auto item = std::make_unique<TLarkHTMLItem>(&FData);
        item->FItemType = kind;
        item->FWidth = width;
        item->FHeight = height;
        Format(*item);
        return Append(std::move(item));
    }
    void Layout() { detail::RunLineMetrics(FData); }

    QString Face = kSans;
    TColor Color = clBlack;

private:
    void Format(TLarkHTMLItem& item) const
    {
        item.FFontRef = Face;
        item.FontHeight = -13;
        item.FontColor = Color;
        item.FontBgColor = clNone;
    }
    template <typename T>
    T& Append(std::unique_ptr<T> item)
    {
        T& ref = *item;
        FData.AppendItem(std::move(item));
        return ref;
    }
    TLarkHTMLData& FData;
};

// What the engine measures a run of simple text with: each character's
// whole-pixel advance, straight from Qt, summed.
inline int SummedWidth(const QFontMetrics& metrics, QStringView text)
{
    int width = 0;
    for (QChar c : text)
        width += metrics.horizontalAdvance(c);
    return width;
}
inline int QtWidth(const QString& face, int height, TFontStyles style, const QString& text)
{
    return SummedWidth(QFontMetrics(MakeQFont(face, height, style)), text);
}
inline QFontMetrics QtMetrics(const QString& face, int height, TFontStyles style = {})
{
    return QFontMetrics(MakeQFont(face, height, style));
}

inline QImage WhiteImage(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

} // namespace lark::test
