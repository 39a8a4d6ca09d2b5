#pragma once
// What the label and the panel, HTML hosts without a window of their own,
// do with their widget's events; the widget's event() passes each on first:
//
// - the hand cursor over links, restoring the widget's own cursor after it;
// - a left click that counts only when pressed and released on the widget:
//   on a link it raises the host's link event, elsewhere the widget's click;
// - over a link, the link popup menu instead of the usual context menu;
// - a re-layout when the size, the palette or the style changes, the font
//   kept in step (TLarkHTMLHostBase::GraphicHostChanged), a repaint when the
//   widget is enabled or disabled.

#include <QCursor>
#include <QObject>
#include <QPoint>
#include <QString>

#include <functional>
#include <optional>

class QContextMenuEvent;
class QMouseEvent;
class QWidget;

namespace lark {

class TLarkHTMLHostBase;

class TGraphicHostEvents
{
public:
    using TLinkLookup = std::function<std::optional<QString>(QPoint clientPoint)>;

    struct THooks
    {
        // The target of the link under a client point, if there is one.
        TLinkLookup LinkAt;
        // The widget's own click (a press and release off links).
        std::function<void()> Click;
        // Lays the document out again when the widget's look changed.
        std::function<void()> Relayout;
        // The widget's size changed (the host re-lays out unless it laid
        // out for this size already, as after its own auto-size step).
        std::function<void()> Resized;
    };

    // host is the widget's HTML base.
    TGraphicHostEvents(QWidget* widget, TLarkHTMLHostBase& host, THooks hooks);

    // True when the event was handled in the widget's place. It comes after
    // the widget's event filters (the engine's hook, the text selection),
    // as the widget's own handlers do.
    bool Handle(QEvent* event);

    bool IsOverLink(QPoint clientPoint) const { return FHooks.LinkAt(clientPoint).has_value(); }

private:
    void ShowLinkCursor(bool overLink);
    // Press and ContextMenu return true when they handled the event in the
    // widget's place; a release is ours when it ends a press Press kept.
    bool Press(const QMouseEvent* event);
    bool IsOurRelease(const QMouseEvent* event) const;
    void Release(QPoint clientPoint);
    bool ContextMenu(const QContextMenuEvent* event);

    QWidget* const FWidget;
    TLarkHTMLHostBase& FHost;
    const THooks FHooks;
    QCursor FCursor; // the widget's own cursor while the hand shows
    bool FHadOwnCursor = false;
    bool FShowingHand = false;
    bool FPressedInside = false;
};

} // namespace lark
