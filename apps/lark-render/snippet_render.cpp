#include "snippet_render.h"

#include <lark/framework/canvas.h>

#include <QFile>

#include <algorithm>
#include <cmath>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace lark::render_app {

namespace {

// Area width when wrapping and no width was given: a typical dialog text width.
constexpr int kDefaultWrapWidth = 400;
// Largest image written, in device pixels (1 GiB of ARGB32): enough for a
// long page at a high scale, and a limit for a snippet of a million lines.
constexpr qint64 kMaxImagePixels = qint64(1) << 28;
// Pixels of the scratch image that positions are recorded through.
constexpr int kScratchPixels = 1 << 22;

QColor BackgroundColor(TColor background)
{
    if (background == clNone)
        return Qt::transparent;
    return ToQColor(background);
}

} // namespace

std::optional<QString> ReadSnippet(const QString& input, QString& error)
{
    QFile file;
    const bool isStdin = input == u"-"_s;
    bool opened = false;
    if (isStdin) {
        opened = file.open(stdin, QIODevice::ReadOnly);
    } else {
        file.setFileName(input);
        opened = file.open(QIODevice::ReadOnly);
    }
    const QString shownName = isStdin ? u"standard input"_s : input;
    if (!opened) {
        error = u"cannot read '%1': %2"_s.arg(shownName, file.errorString());
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = u"cannot read '%1': %2"_s.arg(shownName, file.errorString());
        return std::nullopt;
    }
    return QString::fromUtf8(bytes);
}

SnippetRenderer::SnippetRenderer(const RenderOptions& options) : FOptions(options)
{
    TLarkHTMLData& data = *FRender.Data();
    if (options.fontFace)
        data.SetDefaultFont(*options.fontFace);
    if (options.fontHeight)
        data.SetDefaultHeight(*options.fontHeight);
    if (options.lineGap)
        data.SetLineGap(*options.lineGap);
    if (options.linkColor)
        data.SetLinkColor(*options.linkColor);
    // The image is already an off-screen surface; a second buffer at the
    // measuring resolution would only blur high-DPI output.
    FRender.SetDoubleBuffered(false);
    FRender.SetUntrusted(FOptions.untrusted);
    FRender.OnVariableNeeded = [this](QObject*, const QString& aVarName, QString& aVarValue) {
        const auto it = FOptions.variables.constFind(aVarName.toLower());
        if (it != FOptions.variables.constEnd())
            aVarValue = *it;
    };
}

int SnippetRenderer::AreaWidth() const
{
    if (FOptions.width)
        return *FOptions.width;
    if (FOptions.wrap)
        return kDefaultWrapWidth;
    return std::max(1, TextSize().width());
}

void SnippetRenderer::Prepare(const QString& html)
{
    // Without wrapping a list box passes width 0 too: lines end only at tags.
    const int maxWidth = FOptions.width || FOptions.wrap ? AreaWidth() : 0;
    FRender.PrepareText(html, maxWidth, FOptions.wrap);
}

QSize SnippetRenderer::AreaSize() const
{
    return QSize(AreaWidth(), std::max(1, TextSize().height()));
}

// Paints the document into image as an area of size logical pixels whose
// first row shows document row top.
void SnippetRenderer::PaintInto(QImage& image, int top, QSize size)
{
    image.fill(BackgroundColor(FOptions.background));
    TCanvas canvas(&image);
    if (FOptions.background == clNone) {
        canvas.Brush().SetStyle(bsClear);
    } else {
        // List numbers are drawn on the surface's brush colour.
        canvas.Brush().SetColor(FOptions.background);
    }
    const QRect rect(QPoint(0, 0), size);
    FRender.DrawText(canvas, QPoint(0, top), rect, clNone, rect);
}

QImage SnippetRenderer::Paint(QString& error)
{
    const QSize area = AreaSize();
    const QSize pixels(int(std::ceil(area.width() * FOptions.scale)), int(std::ceil(area.height() * FOptions.scale)));
    if (qint64(pixels.width()) * pixels.height() > kMaxImagePixels) {
        error = u"the image would be %1 x %2 pixels, more than %3"_s.arg(pixels.width())
                    .arg(pixels.height())
                    .arg(kMaxImagePixels);
        return QImage();
    }
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        error = u"no memory for an image of %1 x %2 pixels"_s.arg(pixels.width()).arg(pixels.height());
        return image;
    }
    image.setDevicePixelRatio(FOptions.scale);
    PaintInto(image, 0, area);
    return image;
}

void SnippetRenderer::RecordPositions()
{
    // Each paint records the positions of the lines it reaches; painting
    // screen after screen down the document reaches every line once.
    const QSize area = AreaSize();
    const int rows = std::clamp(kScratchPixels / area.width(), 1, area.height());
    QImage scratch(area.width(), rows, QImage::Format_ARGB32_Premultiplied);
    if (scratch.isNull())
        return;
    // 64-bit so that stepping past a document near INT_MAX tall cannot wrap.
    for (qint64 top = 0; top < area.height(); top += rows)
        PaintInto(scratch, int(top), scratch.size());
}

} // namespace lark::render_app
