// lark_hostile: one hostile input through the engine and its hosts, with the
// wall time of each stage, so that a shell script can run every case in a
// process of its own and read the peak memory from /usr/bin/time.
//
//   lark_hostile CASE [--stage render|view|label|all] [--images DIR]
//   lark_hostile --write DIR    each case as DIR/CASE.html (+ the picture)
//   lark_hostile --list
#include "hostile_cases.h"

#include <lark/controls/label.h>
#include <lark/controls/view.h>
#include <lark/framework/canvas.h>
#include <lark/framework/framework.h>
#include <lark/html/model/data.h>
#include <lark/html/render.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>

#include <cstdio>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 300;

void Print(const QString& line)
{
    std::fputs(qPrintable(line + u'\n'), stdout);
    std::fflush(stdout);
}

// Runs step and prints how long it took.
void Timed(const QString& what, const std::function<QString()>& step)
{
    QElapsedTimer timer;
    timer.start();
    const QString note = step();
    Print(u"%1\t%2 ms\t%3"_s.arg(what).arg(timer.nsecsElapsed() / 1e6, 0, 'f', 1).arg(note));
}

QString SizeText(QSize s)
{
    return u"%1x%2"_s.arg(s.width()).arg(s.height());
}

// A bare render object: layout, a paint of the top and of the bottom of the
// document, and the plain text.
void RunRender(const QString& html)
{
    lark::TLarkHTMLRender render;
    Timed(u"render.PrepareText"_s, [&] {
        render.PrepareText(html, kWidth, true);
        return u"items %1, text size %2"_s.arg(render.Data()->ItemCount()).arg(SizeText(render.Data()->TextSize()));
    });
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    const QRect area(0, 0, kWidth, kHeight);
    for (const bool bottom : {false, true}) {
        Timed(bottom ? u"render.DrawText(bottom)"_s : u"render.DrawText(top)"_s, [&] {
            image.fill(Qt::white);
            lark::TCanvas canvas(&image);
            const int top = bottom ? std::max(0, render.Data()->TextSize().height() - kHeight) : 0;
            render.DrawText(canvas, QPoint(0, top), area, lark::clNone, area);
            return QString();
        });
    }
    Timed(u"render.AsText"_s, [&] { return u"%1 characters"_s.arg(render.AsText().size()); });
}

void RunView(const QString& html)
{
    lark::TLarkHTMLView view;
    view.resize(kWidth, kHeight);
    view.SetWordWrap(true);
    Timed(u"view.SetCaption"_s, [&] {
        view.SetCaption(html);
        return u"text size %1"_s.arg(SizeText(view.Render()->Data()->TextSize()));
    });
    Timed(u"view.grab(top)"_s, [&] { return SizeText(view.grab().size()); });
    Timed(u"view.grab(bottom)"_s, [&] {
        view.VScroll(lark::scBottom);
        return u"at %1, %2"_s.arg(view.Position().y()).arg(SizeText(view.grab().size()));
    });
}

void RunLabel(const QString& html)
{
    lark::TLarkHTMLLabel label;
    label.resize(kWidth, 20);
    label.SetAutoSize(true);
    Timed(u"label.SetCaption"_s, [&] {
        label.SetCaption(html);
        return u"label %1"_s.arg(SizeText(label.size()));
    });
    Timed(u"label.grab"_s, [&] {
        const QPixmap shot = label.grab();
        return shot.isNull() ? u"no image"_s : SizeText(shot.size());
    });
}

int WriteAll(const QString& dir)
{
    if (!QDir().mkpath(dir) || !lark::hostile::WriteImage(dir)) {
        Print(u"lark_hostile: cannot write into %1"_s.arg(dir));
        return 1;
    }
    int count = 0;
    const lark::hostile::HostileCase* cases = lark::hostile::Cases(count);
    for (int i = 0; i < count; ++i) {
        QFile file(QDir(dir).absoluteFilePath(QString::fromLatin1(cases[i].name) + u".html"_s));
        if (!file.open(QIODevice::WriteOnly) || file.write(cases[i].build(dir, 1).toUtf8()) < 0) {
            Print(u"lark_hostile: cannot write %1"_s.arg(file.fileName()));
            return 1;
        }
    }
    return 0;
}

int Usage()
{
    Print(u"usage: lark_hostile CASE [--stage render|view|label|all] [--images DIR]\n"
          "       lark_hostile --write DIR\n"
          "       lark_hostile --list\n"
          "cases: "_s
          + lark::hostile::CaseNames().join(u' '));
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    lark::InitializeFramework();

    QStringList args = app.arguments().mid(1);
    if (args.size() == 2 && args[0] == u"--write"_s)
        return WriteAll(args[1]);
    if (args.size() == 1 && args[0] == u"--list"_s) {
        Print(lark::hostile::CaseNames().join(u'\n'));
        return 0;
    }
    QString stage = u"all"_s;
    QString images;
    QString name;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == u"--stage"_s && i + 1 < args.size())
            stage = args[++i];
        else if (args[i] == u"--images"_s && i + 1 < args.size())
            images = args[++i];
        else if (name.isEmpty())
            name = args[i];
        else
            return Usage();
    }
    const lark::hostile::HostileCase* hostile = lark::hostile::FindCase(name);
    if (!hostile)
        return Usage();

    const QString html = hostile->build(images, 1);
    Print(u"%1: %2 (%3 characters)"_s.arg(name, QString::fromLatin1(hostile->description)).arg(html.size()));
    if (stage == u"render"_s || stage == u"all"_s)
        RunRender(html);
    if (stage == u"view"_s || stage == u"all"_s)
        RunView(html);
    if (stage == u"label"_s || stage == u"all"_s)
        RunLabel(html);
    return 0;
}
