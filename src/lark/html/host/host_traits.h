#pragma once
// What the engine may ask of a host beyond ILarkHTMLControl, answered by an
// optional interface: a host that does not implement it counts as a windowed
// control at run time.
//
// A host without a window of its own (the label behaves as a graphic
// control) cannot hold the embedded controls of its document: they become
// children of the host's parent and are placed in the parent's coordinates.
// Design tools put a host into design mode, where embedded controls stay
// hidden and only a dashed outline with the control's name marks their place.
//
//     class MyLabel : public QWidget, public ILarkHTMLControl, public ILarkHTMLHostTraits
//     {
//         bool IsWindowedControl() const override { return false; }
//         bool IsDesigning() const override { return FDesigning; }
//         ...
//     };

#include <QObject>

namespace lark {

class ILarkHTMLHostTraits
{
public:
    virtual ~ILarkHTMLHostTraits() = default;

    // False for a host that has no window of its own.
    virtual bool IsWindowedControl() const = 0;
    // True while a design tool edits the host.
    virtual bool IsDesigning() const = 0;

protected:
    ILarkHTMLHostTraits() = default;
    ILarkHTMLHostTraits(const ILarkHTMLHostTraits&) = default;
    ILarkHTMLHostTraits& operator=(const ILarkHTMLHostTraits&) = default;
};

// Whether a host is a windowed control: true unless it says otherwise.
inline bool IsWindowedHost(const QObject* host)
{
    const auto* traits = dynamic_cast<const ILarkHTMLHostTraits*>(host);
    return !traits || traits->IsWindowedControl();
}

// Whether a host is being designed: false unless it says so.
inline bool IsDesigningHost(const QObject* host)
{
    const auto* traits = dynamic_cast<const ILarkHTMLHostTraits*>(host);
    return traits && traits->IsDesigning();
}

} // namespace lark
