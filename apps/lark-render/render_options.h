#pragma once
// Command line of lark-render, read into plain values. Reading never exits the
// process: the caller prints the error and chooses the exit code.

#include <lark/framework/color.h>

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

namespace lark::render_app {

struct RenderOptions
{
    QString input;              // file name, or "-" for standard input
    QString output;             // PNG file; empty: no image written
    std::optional<int> width;   // area width; unset: 400 with wrapping, else the text's width
    bool wrap = true;
    bool untrusted = false;     // the render object's untrusted-content mode
    std::optional<QString> fontFace;
    std::optional<int> fontHeight; // the framework convention: negative = character height
    std::optional<int> lineGap;
    std::optional<TColor> linkColor;
    TColor background = clWhite;
    double scale = 1.0;
    QHash<QString, QString> variables; // keys in lower case: variable names ignore letter case
    bool dumpText = false;
    bool dumpHtml = false;
    bool dumpSize = false;
    bool dumpItems = false;
};

// Outcome of reading the command line.
struct ParseResult
{
    enum Status { Ok, Help, Version, Error };
    Status status = Ok;
    RenderOptions options;
    QString message; // the error, or the help / version text
};

ParseResult ParseRenderOptions(const QStringList& arguments);

// Any colour text the engine accepts ("#rrggbb", a colour name, a colour
// identifier with or without "cl"); nothing for text that names no colour.
std::optional<TColor> ColorFromText(const QString& text);

} // namespace lark::render_app
