#include "render_options.h"

#include <lark/html/parse/values.h>

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>

using namespace Qt::StringLiterals;

namespace lark::render_app {

namespace {

// Bounds that keep a typo from asking for a gigapixel image.
constexpr int kMaxWidth = 32767;
constexpr int kMaxFontHeight = 1000;
constexpr int kMaxLineGap = 1000;
constexpr double kMaxScale = 8.0;

struct OptionSet
{
    QCommandLineOption width{u"width"_s,
                             u"Width of the area in pixels and the wrap width; default 400 when wrapping, "
                             "else the text's width."_s,
                             u"N"_s};
    QCommandLineOption wrap{u"wrap"_s, u"Wrap words at the width (the default)."_s};
    QCommandLineOption noWrap{u"no-wrap"_s, u"Do not wrap; lines break only at tags."_s};
    QCommandLineOption untrusted{u"untrusted"_s,
                                 u"Treat the snippet as untrusted content: no file or resource images, no "
                                 "controls, capped size and nesting."_s};
    QCommandLineOption font{u"font"_s, u"Default font face."_s, u"FACE"_s};
    QCommandLineOption fontHeight{u"font-height"_s,
                                  u"Default font height: negative is the character height in pixels, "
                                  "positive the cell height."_s,
                                  u"N"_s};
    QCommandLineOption lineGap{u"line-gap"_s, u"Extra pixels added to every line."_s, u"N"_s};
    QCommandLineOption linkColor{u"link-color"_s,
                                 u"Colour of links: #rrggbb, a colour name or an identifier such as clBtnFace."_s,
                                 u"C"_s};
    QCommandLineOption background{u"bg"_s, u"Background colour of the image; clNone is transparent."_s, u"C"_s};
    QCommandLineOption scale{u"scale"_s, u"Device pixel ratio of the image (high-DPI output)."_s, u"F"_s};
    QCommandLineOption var{u"var"_s, u"Value of a variable <~~NAME> (repeatable)."_s, u"NAME=VALUE"_s};
    QCommandLineOption output{QStringList{u"o"_s, u"output"_s}, u"Write the image to FILE.png."_s,
                              u"FILE.png"_s};
    QCommandLineOption text{u"text"_s, u"Print the text without markup."_s};
    QCommandLineOption size{u"size"_s, u"Print the text size as \"W H\"."_s};
    QCommandLineOption html{u"html"_s, u"Print the document written back as HTML (inputs with their state)."_s};
    QCommandLineOption items{u"items"_s, u"Print the item list as JSON Lines."_s};
};

// Error text in the shape "option --x: what is wrong".
QString OptionError(const QCommandLineOption& option, const QString& what)
{
    return u"option --%1: %2"_s.arg(option.names().constLast(), what);
}

std::optional<int> ReadInt(const QString& text, int lowest, int highest)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < lowest || value > highest)
        return std::nullopt;
    return value;
}

// Reads one integer option into target; false with message set when it is bad.
bool ReadIntOption(const QCommandLineParser& parser, const QCommandLineOption& option, int lowest, int highest,
                   std::optional<int>& target, QString& message)
{
    if (!parser.isSet(option))
        return true;
    const QString text = parser.value(option);
    target = ReadInt(text, lowest, highest);
    if (target)
        return true;
    message = OptionError(option, u"'%1' is not a whole number from %2 to %3"_s.arg(text).arg(lowest).arg(highest));
    return false;
}

bool ReadColorOption(const QCommandLineParser& parser, const QCommandLineOption& option,
                     std::optional<TColor>& target, QString& message)
{
    if (!parser.isSet(option))
        return true;
    const QString text = parser.value(option);
    target = ColorFromText(text);
    if (target)
        return true;
    message = OptionError(option, u"'%1' is not a colour"_s.arg(text));
    return false;
}

bool ReadVariables(const QCommandLineParser& parser, const QCommandLineOption& option,
                   QHash<QString, QString>& variables, QString& message)
{
    const QStringList assignments = parser.values(option);
    for (const QString& assignment : assignments) {
        const qsizetype eq = assignment.indexOf(u'=');
        if (eq <= 0) {
            message = OptionError(option, u"'%1' is not NAME=VALUE"_s.arg(assignment));
            return false;
        }
        // A later assignment of the same name wins, as with any repeated option.
        variables.insert(assignment.left(eq).toLower(), assignment.mid(eq + 1));
    }
    return true;
}

bool ReadScale(const QCommandLineParser& parser, const QCommandLineOption& option, double& scale, QString& message)
{
    if (!parser.isSet(option))
        return true;
    const QString text = parser.value(option);
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (ok && value > 0 && value <= kMaxScale) {
        scale = value;
        return true;
    }
    message = OptionError(option, u"'%1' is not a number above 0 and at most %2"_s.arg(text).arg(kMaxScale));
    return false;
}

} // namespace

std::optional<TColor> ColorFromText(const QString& text)
{
    // ParseColor answers its default for unknown text; two different defaults
    // tell "unknown" apart from a colour that happens to equal one of them.
    const TColor first = ParseColor(text, clBlack);
    const TColor second = ParseColor(text, clWhite);
    if (first != second)
        return std::nullopt;
    return first;
}

ParseResult ParseRenderOptions(const QStringList& arguments)
{
    ParseResult result;
    OptionSet set;
    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"Renders an HTML snippet with the Lark HTML engine to a PNG image, or prints what the engine made of it.\n"
        "Exit codes: 0 done, 1 the image could not be made or written, 2 a bad command line or input."_s);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addOptions({set.width, set.wrap, set.noWrap, set.untrusted, set.font, set.fontHeight, set.lineGap, set.linkColor,
                       set.background, set.scale, set.var, set.output, set.text, set.size, set.html, set.items});
    parser.addPositionalArgument(u"input"_s, u"The snippet: an HTML file, or - for standard input."_s, u"<input>"_s);

    auto fail = [&result](const QString& message) {
        result.status = ParseResult::Error;
        result.message = message;
        return result;
    };

    if (!parser.parse(arguments))
        return fail(parser.errorText());
    // --help-all comes with the help option; the Qt options it would add do not apply here.
    if (parser.isSet(help) || parser.isSet(u"help-all"_s)) {
        result.status = ParseResult::Help;
        result.message = parser.helpText();
        return result;
    }
    if (parser.isSet(version)) {
        result.status = ParseResult::Version;
        result.message = u"%1 %2\n"_s.arg(QCoreApplication::applicationName(), QCoreApplication::applicationVersion());
        return result;
    }

    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return fail(u"no input: give an HTML file, or - for standard input"_s);
    if (positional.size() > 1)
        return fail(u"more than one input: %1"_s.arg(positional.join(u' ')));

    RenderOptions& o = result.options;
    o.input = positional.constFirst();
    if (parser.isSet(set.wrap) && parser.isSet(set.noWrap))
        return fail(u"options --wrap and --no-wrap exclude each other"_s);
    o.wrap = !parser.isSet(set.noWrap);
    o.untrusted = parser.isSet(set.untrusted);
    if (parser.isSet(set.font)) {
        o.fontFace = parser.value(set.font);
        if (o.fontFace->trimmed().isEmpty())
            return fail(OptionError(set.font, u"the face name is empty"_s));
    }
    o.output = parser.value(set.output);
    o.dumpText = parser.isSet(set.text);
    o.dumpSize = parser.isSet(set.size);
    o.dumpHtml = parser.isSet(set.html);
    o.dumpItems = parser.isSet(set.items);

    QString message;
    std::optional<TColor> background;
    const bool ok = ReadIntOption(parser, set.width, 1, kMaxWidth, o.width, message)
        && ReadIntOption(parser, set.fontHeight, -kMaxFontHeight, kMaxFontHeight, o.fontHeight, message)
        && ReadIntOption(parser, set.lineGap, 0, kMaxLineGap, o.lineGap, message)
        && ReadColorOption(parser, set.linkColor, o.linkColor, message)
        && ReadColorOption(parser, set.background, background, message)
        && ReadScale(parser, set.scale, o.scale, message) && ReadVariables(parser, set.var, o.variables, message);
    if (!ok)
        return fail(message);
    if (background)
        o.background = *background;

    if (o.output.isEmpty() && !o.dumpText && !o.dumpSize && !o.dumpHtml && !o.dumpItems)
        return fail(u"nothing to do: give -o FILE.png, --text, --size or --items"_s);
    return result;
}

} // namespace lark::render_app
