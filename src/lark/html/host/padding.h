#pragma once

// Inner margins of a host: the space between its client edge and the HTML.
//
// TPadding is what the host interface hands out; TLarkPadding is the padding
// every HTML control owns, whose four margins default to 1 pixel.
//
// Example:
//     TLarkPadding padding;
//     padding.OnChange = [&](QObject*) { relayout(); };
//     padding.SetBounds(4, 2, 4, 2);   // one notification

#include <lark/framework/object.h>

#include <QMargins>
#include <QObject>

namespace lark {

class TPadding : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int Left READ Left WRITE SetLeft RESET ResetLeft NOTIFY changed)
    Q_PROPERTY(int Top READ Top WRITE SetTop RESET ResetTop NOTIFY changed)
    Q_PROPERTY(int Right READ Right WRITE SetRight RESET ResetRight NOTIFY changed)
    Q_PROPERTY(int Bottom READ Bottom WRITE SetBottom RESET ResetBottom NOTIFY changed)

public:
    // Margins of 0.
    explicit TPadding(QObject* aOwner = nullptr);

    // Margins are never negative: a negative value is stored as 0.
    int Left() const { return FLeft; }
    void SetLeft(int value) { SetMargins(value, FTop, FRight, FBottom); }
    int Top() const { return FTop; }
    void SetTop(int value) { SetMargins(FLeft, value, FRight, FBottom); }
    int Right() const { return FRight; }
    void SetRight(int value) { SetMargins(FLeft, FTop, value, FBottom); }
    int Bottom() const { return FBottom; }
    void SetBottom(int value) { SetMargins(FLeft, FTop, FRight, value); }

    // All four at once, with at most one notification.
    void SetBounds(int aLeft, int aTop, int aRight, int aBottom) { SetMargins(aLeft, aTop, aRight, aBottom); }
    void Assign(const TPadding& source) { SetMargins(source.FLeft, source.FTop, source.FRight, source.FBottom); }

    QMargins Margins() const { return {FLeft, FTop, FRight, FBottom}; }
    // The value every margin starts with and is reset to.
    int DefaultMargin() const { return FDefault; }

    void ResetLeft() { SetLeft(FDefault); }
    void ResetTop() { SetTop(FDefault); }
    void ResetRight() { SetRight(FDefault); }
    void ResetBottom() { SetBottom(FDefault); }
    // A form writer stores a margin only when it differs from the default.
    bool IsLeftStored() const { return FLeft != FDefault; }
    bool IsTopStored() const { return FTop != FDefault; }
    bool IsRightStored() const { return FRight != FDefault; }
    bool IsBottomStored() const { return FBottom != FDefault; }

    // Raised once for every call that changed a margin.
    TNotifyEvent OnChange;

Q_SIGNALS:
    void changed();

protected:
    TPadding(int aDefault, QObject* aOwner);
    virtual void Change();

private:
    void SetMargins(int aLeft, int aTop, int aRight, int aBottom);

    const int FDefault;
    int FLeft;
    int FTop;
    int FRight;
    int FBottom;
};

class TLarkPadding : public TPadding
{
    Q_OBJECT

public:
    static constexpr int DefaultValue = 1;

    explicit TLarkPadding(QObject* aOwner = nullptr);
};

} // namespace lark
