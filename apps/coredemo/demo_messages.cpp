#include "demo_messages.h"

#include <QMessageBox>
#include <QWidget>

#include <utility>

namespace lark::demo {

namespace {

TMessageSink& Sink()
{
    static TMessageSink sink;
    return sink;
}

QString Title(QWidget* Parent)
{
    QWidget* window = Parent ? Parent->window() : nullptr;
    return window ? window->windowTitle() : QString();
}

} // namespace

void ShowMessage(QWidget* Parent, const QString& Text)
{
    if (Sink()) {
        Sink()(Parent, Text);
        return;
    }
    QMessageBox::information(Parent, Title(Parent), Text);
}

void ShowError(QWidget* Parent, const QString& Text)
{
    if (Sink()) {
        Sink()(Parent, Text);
        return;
    }
    QMessageBox::critical(Parent, Title(Parent), Text);
}

TMessageSink SetMessageSink(TMessageSink Sink_)
{
    return std::exchange(Sink(), std::move(Sink_));
}

} // namespace lark::demo
