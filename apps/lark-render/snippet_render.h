#pragma once
// One snippet through the engine: read, prepared for the options' width and
// painted into an image, the way a host control would do it.

#include "render_options.h"

#include <lark/html/render.h>

#include <QImage>
#include <QSize>
#include <QString>

#include <optional>

namespace lark::render_app {

// The snippet text of a file, or of standard input for "-", decoded as UTF-8.
// Nothing, with error set, when it cannot be read.
std::optional<QString> ReadSnippet(const QString& input, QString& error);

class SnippetRenderer
{
public:
    explicit SnippetRenderer(const RenderOptions& options);

    // Parses and lays out html for the options' width.
    void Prepare(const QString& html);
    // Paints the prepared document into a new image as wide as the area and as
    // high as the text; also records every item's Left and Top. A null image,
    // with error set, when the image would be too large.
    QImage Paint(QString& error);
    // Records every item's Left and Top as Paint does, through a small
    // scratch image, so that a dump of a long document needs no tall image.
    void RecordPositions();

    QSize TextSize() const { return FRender.Data()->TextSize(); }
    QString AsText() const { return FRender.AsText(); }
    QString GenerateHTML() const { return FRender.Data()->GenerateHTML(); }
    const TLarkHTMLData& Data() const { return *FRender.Data(); }

private:
    int AreaWidth() const;
    QSize AreaSize() const;
    void PaintInto(QImage& image, int top, QSize size);

    const RenderOptions& FOptions;
    TLarkHTMLRender FRender;
};

} // namespace lark::render_app
