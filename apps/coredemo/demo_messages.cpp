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

QString Title(QWidget* parent)
{
    QWidget* window = parent ? parent->window() : nullptr;
    return window ? window->windowTitle() : QString();
}

} // namespace

void ShowMessage(QWidget* parent, const QString& text)
{
    if (Sink()) {
        Sink()(parent, text);
        return;
    }
    QMessageBox::information(parent, Title(parent), text);
}

void ShowError(QWidget* parent, const QString& text)
{
    if (Sink()) {
        Sink()(parent, text);
        return;
    }
    QMessageBox::critical(parent, Title(parent), text);
}

TMessageSink SetMessageSink(TMessageSink sink)
{
    return std::exchange(Sink(), std::move(sink));
}

} // namespace lark::demo
