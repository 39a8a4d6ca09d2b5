#pragma once
// The pointer behaviour the label and the panel share: the hand cursor over
// links (restoring the widget's own cursor after it) and a left click that
// counts only when pressed and released on the widget.

#include <QCursor>
#include <QPoint>
#include <QString>

#include <functional>
#include <optional>

class QMouseEvent;
class QWidget;

namespace lark {

class TLinkPointer
{
public:
    using TLinkLookup = std::function<std::optional<QString>(QPoint ClientPoint)>;

    TLinkPointer(QWidget* aWidget, TLinkLookup aLinkAt);

    void ShowLinkCursor(bool OverLink);
    void Move(QPoint ClientPoint) { ShowLinkCursor(FLinkAt(ClientPoint).has_value()); }
    void Leave() { ShowLinkCursor(false); }
    bool IsOverLink(QPoint ClientPoint) const { return FLinkAt(ClientPoint).has_value(); }

    // True when the press is the start of a click the widget keeps.
    bool Press(const QMouseEvent* Event);

    enum class TRelease
    {
        NotOurs, // not the end of a kept left press: the widget's usual handling
        Outside, // released off the widget: nothing
        Click,   // a click beside any link
        Link     // a click on the link HRef names
    };
    TRelease Release(const QMouseEvent* Event, QString& HRef);

private:
    QWidget* const FWidget;
    const TLinkLookup FLinkAt;
    QCursor FCursor; // the widget's own cursor while the hand shows
    bool FHadOwnCursor = false;
    bool FShowingHand = false;
    bool FPressedInside = false;
};

} // namespace lark
