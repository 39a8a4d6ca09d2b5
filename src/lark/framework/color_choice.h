#pragma once
// A TColor as form editors edit it: a choice among the system colour
// identifiers, or an RGB value from a colour picker.
//
// Qt's property editors know QColor and enumerations, not TColor. A colour
// property X of a widget is therefore also published as the pair
//     XValue  (QColor)          the colour as painted, for the picker
//     XSystem (TSystemColor)    the system colour identifier, or RGBColor
// both writing X itself, so a system colour stays a system colour (and
// follows the palette) whichever way a form sets it:
//
//     label->SetColorSystem(clBtnFace);       // Color() == lark::clBtnFace
//     label->SetColorValue(QColor(Qt::red));  // Color() == lark::clRed

#include <lark/framework/color.h>

#include <QColor>
#include <QObject>

class QWidget;

namespace lark {

namespace SystemColorEnums {
Q_NAMESPACE

// Values are the identifiers' indexes (the low byte of the TColor);
// RGBColor stands for every colour that is not a system colour.
enum TSystemColor {
    RGBColor = -1,
    clScrollBar = 0,
    clBackground = 1,
    clActiveCaption = 2,
    clInactiveCaption = 3,
    clMenu = 4,
    clWindow = 5,
    clWindowFrame = 6,
    clMenuText = 7,
    clWindowText = 8,
    clCaptionText = 9,
    clActiveBorder = 10,
    clInactiveBorder = 11,
    clAppWorkSpace = 12,
    clHighlight = 13,
    clHighlightText = 14,
    clBtnFace = 15,
    clBtnShadow = 16,
    clGrayText = 17,
    clBtnText = 18,
    clInactiveCaptionText = 19,
    clBtnHighlight = 20,
    cl3DDkShadow = 21,
    cl3DLight = 22,
    clInfoText = 23,
    clInfoBk = 24,
    clHotLight = 26,
    clGradientActiveCaption = 27,
    clGradientInactiveCaption = 28,
    clMenuHighlight = 29,
    clMenuBar = 30,
};
Q_ENUM_NS(TSystemColor)

} // namespace SystemColorEnums

using SystemColorEnums::TSystemColor;

// The identifier of a system colour; RGBColor for any other value.
TSystemColor SystemColorOf(TColor Color);
// Color with the identifier chosen: that system colour, or for RGBColor the
// colour as Widget's palette paints it now (unchanged when not a system
// colour). Unknown identifiers leave Color unchanged.
TColor ChooseSystemColor(TColor Color, TSystemColor Ident, const QWidget* Widget);
// Color with the picked colour: its RGB, unless Color is a system colour
// that Widget's palette paints in exactly that colour, which is kept (a
// form that stores both halves of the pair then loads in any order).
TColor ChoosePickedColor(TColor Color, const QColor& Picked, const QWidget* Widget);

} // namespace lark

// The pair for a colour property Name of a widget class: NameValue and
// NameSystem with their setters, Qt-named setters for uic included. The
// class declares the two Q_PROPERTYs itself (moc reads no macros):
//     Q_PROPERTY(QColor ColorValue READ ColorValue WRITE SetColorValue)
//     Q_PROPERTY(lark::SystemColorEnums::TSystemColor ColorSystem READ ColorSystem WRITE SetColorSystem)
#define LARK_COLOR_CHOICE(Name)                                                                                   \
    QColor Name##Value() const { return ::lark::ToQColor(Name(), this); }                                       \
    void Set##Name##Value(const QColor& V) { Set##Name(::lark::ChoosePickedColor(Name(), V, this)); }           \
    void set##Name##Value(const QColor& V) { Set##Name##Value(V); }                                             \
    ::lark::TSystemColor Name##System() const { return ::lark::SystemColorOf(Name()); }                         \
    void Set##Name##System(::lark::TSystemColor V) { Set##Name(::lark::ChooseSystemColor(Name(), V, this)); }  \
    void set##Name##System(::lark::TSystemColor V) { Set##Name##System(V); }
