// Repainting a snippet that shows an image file, with the decoded file kept
// in the image cache and with the cache emptied before every paint (which is
// what painting cost when every paint decoded the file again).
#include "cases.h"

#include <lark/framework/canvas.h>
#include "lark/html/images/image_cache_p.h"
#include <lark/html/render.h>

#include <benchmark/benchmark.h>

#include <QImage>
#include <QTemporaryDir>

#include <cstdio>

namespace lark::bench {

namespace {

enum class Cache { Kept, EmptiedEachPaint };

// A 240 x 180 PNG with enough detail that decoding is not trivial; written
// once per run.
const QString& ImageFilePath()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        QImage image(240, 180, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, qRgb((x * 7 + y) & 0xFF, (x ^ y) & 0xFF, (x * y) & 0xFF));
        }
        const QString file = dir.filePath(QStringLiteral("picture.png"));
        if (!image.save(file, "PNG"))
            std::fprintf(stderr, "lark_bench: cannot write %s\n", qPrintable(file));
        return file;
    }();
    return path;
}

void PaintImageSnippet(benchmark::State& state, Cache cache)
{
    const QString html = QStringLiteral("<p>A picture <img src=\"file:%1\"> beside its caption.</p>").arg(ImageFilePath());
    TLarkHTMLRender render;
    render.PrepareText(html, kPageWidth, true);
    QImage image(kPageWidth, 200, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    const QRect area(0, 0, kPageWidth, 200);
    for (auto _ : state) {
        if (cache == Cache::EmptiedEachPaint)
            detail::ImageFileCache::Instance().Clear();
        TCanvas canvas(&image);
        render.DrawText(canvas, QPoint(0, 0), area, clNone, area);
    }
}

} // namespace

void RegisterImageCases()
{
    ConfigureCase(benchmark::RegisterBenchmark(names::kPaintImageCachedLark, PaintImageSnippet, Cache::Kept));
    ConfigureCase(
        benchmark::RegisterBenchmark(names::kPaintImageUncachedLark, PaintImageSnippet, Cache::EmptiedEachPaint));
}

} // namespace lark::bench
