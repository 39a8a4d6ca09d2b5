#include "hostile_cases.h"

#include <QColor>
#include <QDir>
#include <QImage>

using namespace Qt::StringLiterals;

namespace lark::hostile {

namespace {

constexpr const char* kImageName = "dot.png";

// Markup of the kind the tour pages hold: paragraphs, styles, fonts, links,
// a list, a rule, an image, a check box, references. Repeated to size.
QString MixedBlock(const QString& image)
{
    return u"<p align=left><b>Lark</b> shows <i>HTML</i> in <u>labels</u> and "
           "<font color=#336699 size=+1 face=Tahoma>views</font>; it wraps long "
           "lines of text &amp; keeps &lt;tags&gt; readable.</p>"
           "<ul><li>first <a href=\"page2\">link</a><li>second <s>item</s>"
           "<li><sup>sup</sup> and <sub>sub</sub></ul>"
           "<hr><img src=\"%1\" width=16 height=16> picture &nbsp;then "
           "<input type=checkbox name=c checked=true> a box<br>"
           "<ol><li>one<li>two</ol><ind width=40>indented &#169; &copy;\r\n"_s.arg(image);
}

QString ImageSource(const QString& imageDir)
{
    if (imageDir.isEmpty())
        return u"missing"_s;
    return u"file:"_s + QDir(imageDir).absoluteFilePath(QString::fromLatin1(kImageName));
}

QString BigSnippet(const QString& imageDir, int divisor)
{
    const qsizetype target = 10 * 1024 * 1024 / divisor;
    const QString block = MixedBlock(ImageSource(imageDir));
    return block.repeated(target / block.size() + 1);
}

QString NestedFonts(const QString&, int divisor)
{
    const int n = 100000 / divisor;
    QString s;
    s.reserve(n * 24);
    for (int i = 0; i < n; ++i)
        s += u"<font color=#%1>f"_s.arg(i * 2654435761u % 0xFFFFFF, 6, 16, QChar(u'0'));
    return s;
}

QString UnclosedLists(const QString&, int divisor)
{
    return u"<ul><li>x"_s.repeated(100000 / divisor);
}

QString LongAttribute(const QString&, int divisor)
{
    const QString value(1024 * 1024 / divisor, u'v');
    // One long value for each tag that reads one: a link target, a face,
    // an alignment, an image source, a variable name and an input name.
    return u"<a href=\"%1\">link</a> <font face=\"%1\">face</font> <p align=%1>para "
           "<img src=\"%1\"> <~~ name=%1> <input type=checkbox name=%1 value=%1> "
           "<x %1>unknown tag</x> end"_s.arg(value);
}

QString HugeImages(const QString& imageDir, int)
{
    const QString src = ImageSource(imageDir);
    return u"a<img src=\"%1\" width=2147483647 height=2147483647>b"
           "<img src=\"%1\" width=-2147483648 height=-2147483648>c"
           "<img src=\"%1\" width=-5 height=-7>d"
           "<img src=\"%1\" transparent=solid width=2147483647 height=100>e"
           "<img src=\"%1\" width=65536 height=65537>f"
           "<img src=missing width=2147483647 height=2147483647>g"_s.arg(src);
}

QString HugeBoxes(const QString&, int)
{
    return u"<p indent=2147483647>para<ind width=2147483647>ind<ind width=-2147483648 pos=abs>abs"
           "<input type=checkbox width=2147483647 height=2147483647>"
           "<input type=radio width=-2147483648 height=-2147483648>"
           "<control vclclass=TEdit width=2147483647 height=2147483647>end"_s;
}

QString HugeRule(const QString&, int)
{
    return u"above<hr width=-3 height=99999999>below"
           "<hr width=2147483647 height=-2147483648>end"_s;
}

QString Ampersands(const QString&, int divisor)
{
    return u"start "_s + QString(200000 / divisor, u'&') + u" end"_s;
}

QString LessThans(const QString&, int divisor)
{
    return u"start "_s + QString(200000 / divisor, u'<');
}

QString NulCharacters(const QString&, int divisor)
{
    // NULs in text, in tag names, in attribute values and as references.
    const QString unit = u"a"_s + QChar(0) + u"<b"_s + QChar(0) + u" x="_s + QChar(0)
                         + u">b&#0;&#65536;"_s + QChar(0) + u"</b>"_s;
    return unit.repeated(20000 / divisor);
}

QString LoneSurrogates(const QString&, int divisor)
{
    return u"a&#55296;b&#56320;&#55296;<b>&#57343;</b>&#xD800;"_s.repeated(20000 / divisor)
           + u"&#55296;"_s;
}

const HostileCase kCases[] = {
    {"snippet10mb", "a 10 MB snippet of mixed markup", BigSnippet},
    {"fonts100k", "100,000 nested <font color=...>", NestedFonts},
    {"lists100k", "100,000 unclosed <ul><li>", UnclosedLists},
    {"attr1mb", "1 MB attribute values", LongAttribute},
    {"imghuge", "<img> sized 2147483647 and negative", HugeImages},
    {"boxhuge", "indents, inputs and controls sized 2147483647", HugeBoxes},
    {"hrhuge", "<hr width=-3 height=99999999>", HugeRule},
    {"amp200k", "200,000 '&' without ';'", Ampersands},
    {"lt200k", "200,000 '<'", LessThans},
    {"nul", "NUL characters in text, tags and references", NulCharacters},
    {"surrogates", "lone UTF-16 surrogates from &#55296;", LoneSurrogates},
};

} // namespace

const HostileCase* Cases(int& count)
{
    count = int(std::size(kCases));
    return kCases;
}

const HostileCase* FindCase(const QString& name)
{
    for (const HostileCase& c : kCases) {
        if (name == QLatin1StringView(c.name))
            return &c;
    }
    return nullptr;
}

QStringList CaseNames()
{
    QStringList names;
    for (const HostileCase& c : kCases)
        names << QString::fromLatin1(c.name);
    return names;
}

bool WriteImage(const QString& dir)
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(QColor(0, 128, 255));
    return image.save(QDir(dir).absoluteFilePath(QString::fromLatin1(kImageName)), "PNG");
}

} // namespace lark::hostile
