// A small window for the screen-reader test: a label with two links and a
// check box, a view with a radio group, and a status label that reports
// what was followed or toggled (in its text, for the client to read back,
// and on stdout, for the log). With --grab FILE it saves a picture of the
// window, the check box toggled and the view's first input focused by Tab,
// and quits.
#include <lark/controls/label.h>
#include <lark/controls/view.h>
#include <lark/html/model/items.h>
#include <lark/html/render.h>

#include <QApplication>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdio>

using namespace Qt::StringLiterals;
using namespace lark;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"lark-a11y-demo"_s);

    QWidget window;
    window.setWindowTitle(u"Lark accessibility demo"_s);
    auto* layout = new QVBoxLayout(&window);

    auto* label = new TLarkHTMLLabel(&window);
    label->setObjectName(u"links"_s);
    label->SetCaption(u"Read the <a href=\"https://example.org/guide\">user guide</a> or the "
                      u"<b><a href=\"faq\">questions</a></b>.<br>"
                      u"<input type=checkbox name=news> Send me news"_s);
    layout->addWidget(label);

    auto* view = new TLarkHTMLView(&window);
    view->setObjectName(u"choices"_s);
    view->SetCaption(u"<b>Delivery</b><br><input type=radio name=d checked=true> By post "
                     u"<input type=radio name=d> By hand"_s);
    layout->addWidget(view);

    auto* status = new TLarkHTMLLabel(&window);
    status->setObjectName(u"status"_s);
    status->SetCaption(u"Status: <i>nothing yet</i>"_s);
    layout->addWidget(status);

    const auto report = [status](const QString& what) {
        std::printf("%s\n", qPrintable(what));
        std::fflush(stdout);
        status->SetCaption(u"Status: "_s + what.toHtmlEscaped());
    };
    label->OnLinkClick = [report](QObject*, const QString& href) { report(u"followed "_s + href); };
    const auto checked = [report](QObject*, TLarkHTMLInputItem* input) {
        report(u"%1 is %2"_s.arg(input->Name(), input->Checked() ? u"on"_s : u"off"_s));
    };
    label->Render()->OnInputItemChecked = checked;
    view->Render()->OnInputItemChecked = checked;

    window.resize(420, 260);
    window.show();
    if (const qsizetype grab = QApplication::arguments().indexOf(u"--grab"_s); grab > 0) {
        label->Render()->FindInputItemByName(u"news"_s, nullptr)->Click();
        view->setFocus();
        view->Render()->SelectNextSuitableItem();
        view->Render()->Change();
        return window.grab().save(QApplication::arguments().value(grab + 1)) ? 0 : 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    return QApplication::exec();
}
