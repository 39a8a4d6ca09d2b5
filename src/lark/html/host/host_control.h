#pragma once

// ILarkHTMLControl: what the engine needs from any widget that shows HTML.
//
// The render object holds its host as a plain QWidget and asks for this
// interface whenever it needs the host's settings:
//
//     if (ILarkHTMLControl* host = HTMLControlOf(widget))
//         data->AssignSettings(host);
//
// Hosts are owned by their Qt parents; nothing here is reference counted.
// The objects returned by GetFont, GetOptions and GetPadding belong to the
// host; callers only read them.

#include <QObject>
#include <QPoint>
#include <QString>

namespace lark {

class TFont;
class TLarkHTMLOptions;
class TPadding;

class ILarkHTMLControl
{
public:
    virtual ~ILarkHTMLControl() = default;

    // The default font of the document.
    virtual TFont* GetFont() = 0;
    virtual TLarkHTMLOptions* GetOptions() = 0;
    virtual QString GetHTML() const = 0;
    virtual void SetHTML(const QString& value) = 0;
    // Inner margins around the HTML.
    virtual TPadding* GetPadding() = 0;
    // Origin of the content area inside the client area (borders, bevels).
    virtual QPoint GetOffset() const = 0;
    // While locked the host skips re-layout and painting; the painter locks
    // it while it moves embedded controls, so that moving them does not
    // re-enter the host.
    virtual void LockUpdating() = 0;
    virtual void UnlockUpdating() = 0;
    // Forwards to the host's render object.
    virtual void SetParameter(const QString& aName, const QString& aValue) = 0;

protected:
    ILarkHTMLControl() = default;
    ILarkHTMLControl(const ILarkHTMLControl&) = default;
    ILarkHTMLControl& operator=(const ILarkHTMLControl&) = default;
};

// The host interface of a widget, or nullptr when it is no HTML host.
inline ILarkHTMLControl* HTMLControlOf(QObject* aControl)
{
    return dynamic_cast<ILarkHTMLControl*>(aControl);
}

// Holds a host's updating lock for a scope, also when an event handler
// called inside it throws.
class TLarkUpdatingLock
{
public:
    explicit TLarkUpdatingLock(ILarkHTMLControl* aHost)
        : FHost(aHost)
    {
        if (FHost)
            FHost->LockUpdating();
    }
    ~TLarkUpdatingLock()
    {
        if (FHost)
            FHost->UnlockUpdating();
    }
    TLarkUpdatingLock(const TLarkUpdatingLock&) = delete;
    TLarkUpdatingLock& operator=(const TLarkUpdatingLock&) = delete;

private:
    ILarkHTMLControl* const FHost;
};

} // namespace lark
