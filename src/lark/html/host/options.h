#pragma once

// TLarkHTMLOptions: the small settings object every HTML control owns (link
// colour, link style, extra line gap), with change notification and an
// update bracket.
//
// Example:
//     options->BeginUpdate();
//     options->SetLinkColor(clRed);
//     options->SetLineGap(2);
//     options->EndUpdate(true);   // one notification for both
//
// The bracket is a single flag, not a counter: BeginUpdate twice and one
// EndUpdate close it.

#include <lark/framework/color.h>
#include <lark/framework/font.h>
#include <lark/framework/object.h>

#include <QObject>
#include <QPointer>
#include <QString>

#include <cstdint>

namespace lark {

class TLarkHTMLOptions : public QObject
{
    Q_OBJECT

public:
    // LinkStyle as design tools edit it: one flag per font style, with the
    // style set's bit values.
    enum TLinkStyleFlag {
        lsBold = 1 << fsBold,
        lsItalic = 1 << fsItalic,
        lsUnderline = 1 << fsUnderline,
        lsStrikeOut = 1 << fsStrikeOut,
    };
    Q_DECLARE_FLAGS(TLinkStyleFlags, TLinkStyleFlag)
    Q_FLAG(TLinkStyleFlags)

private:
    Q_PROPERTY(lark::TColor LinkColor READ LinkColor WRITE SetLinkColor RESET ResetLinkColor NOTIFY changed)
    Q_PROPERTY(int LineGap READ LineGap WRITE SetLineGap RESET ResetLineGap NOTIFY changed)
    Q_PROPERTY(TLinkStyleFlags LinkStyle READ LinkStyleFlags WRITE SetLinkStyleFlags RESET ResetLinkStyle
                   NOTIFY changed)

public:
    static constexpr TColor DefaultLinkColor = clBlue;
    static constexpr int DefaultLineGap = 0;
    static constexpr TFontStyles DefaultLinkStyle{fsUnderline};

    // AOwner is the host the options belong to. It is not made their QObject
    // parent: the host keeps them itself, and a child added while a host's
    // base is being built would send ChildAdded to a half-built widget.
    explicit TLarkHTMLOptions(QObject* aOwner = nullptr);

    QObject* Owner() const { return FOwner; }

    // Text colour of links.
    TColor LinkColor() const { return FLinkColor; }
    void SetLinkColor(TColor value);
    // Extra vertical space in pixels added to every line.
    int LineGap() const { return FLineGap; }
    void SetLineGap(int value);
    // Font styles applied to links.
    TFontStyles LinkStyle() const { return FLinkStyle; }
    void SetLinkStyle(TFontStyles value);

    // Copies LinkColor, LinkStyle and LineGap from another options object
    // and notifies once. Assigning the object to itself does nothing; any
    // other source throws EConvertError and changes nothing.
    void Assign(const QObject* source);

    void BeginUpdate() { FUpdate = 1; }
    // Closes the bracket; notifies once when aValue is true.
    void EndUpdate(bool aValue);
    bool IsUpdating() const { return FUpdate != 0; }

    // A one-line summary for design tools; empty here.
    virtual QString GetSetStr() const;

    TLinkStyleFlags LinkStyleFlags() const { return TLinkStyleFlags::fromInt(FLinkStyle.ToInt()); }
    void SetLinkStyleFlags(TLinkStyleFlags value) { SetLinkStyle(TFontStyles::FromInt(value.toInt())); }
    void ResetLinkColor() { SetLinkColor(DefaultLinkColor); }
    void ResetLineGap() { SetLineGap(DefaultLineGap); }
    void ResetLinkStyle() { SetLinkStyle(DefaultLinkStyle); }
    // Whether a form writer has to store the property: only when it differs
    // from its default. (Qt's STORED takes no function, so writers ask here.)
    bool IsLinkColorStored() const { return FLinkColor != DefaultLinkColor; }
    bool IsLineGapStored() const { return FLineGap != DefaultLineGap; }
    bool IsLinkStyleStored() const { return FLinkStyle != DefaultLinkStyle; }

    // Raised with the options as Sender on every change outside a bracket.
    TNotifyEvent OnChange;

Q_SIGNALS:
    // Emitted together with OnChange.
    void changed();

protected:
    virtual void Change();

private:
    QPointer<QObject> FOwner;
    std::uint8_t FUpdate = 0;
    int FLineGap = DefaultLineGap;
    TColor FLinkColor = DefaultLinkColor;
    TFontStyles FLinkStyle = DefaultLinkStyle;
};

} // namespace lark

Q_DECLARE_OPERATORS_FOR_FLAGS(lark::TLarkHTMLOptions::TLinkStyleFlags)
