#pragma once
// The demo's message boxes. Every page reports through ShowMessage, so that a
// test (or the screenshot mode) can take the messages instead of a modal box.

#include <QString>

#include <functional>

class QWidget;

namespace lark::demo {

// Receives what would be shown: the window it belongs to and the text.
using TMessageSink = std::function<void(QWidget* parent, const QString& text)>;

// An information box with Text, or the installed sink.
void ShowMessage(QWidget* parent, const QString& text);
// An error box with Text (a failed action), or the installed sink.
void ShowError(QWidget* parent, const QString& text);

// Installs Sink in place of the boxes (an empty sink restores them) and
// returns the previous one.
TMessageSink SetMessageSink(TMessageSink sink);

} // namespace lark::demo
