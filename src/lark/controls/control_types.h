#pragma once
// Placement enumerations of the HTML controls, known to Qt's meta-object
// system so that Qt Designer offers them by name.
//
//     label->SetAlignment(taCenter);   // horizontal placement of the text block
//     label->SetLayout(tlBottom);      // vertical placement
//     panel->SetBevelOuter(bvLowered); // the panel's outer frame

#include <QObject>

namespace lark {

namespace ControlEnums {
Q_NAMESPACE

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
Q_ENUM_NS(TAlignment)

enum TTextLayout { tlTop, tlCenter, tlBottom };
Q_ENUM_NS(TTextLayout)

// A panel's bevel: none, sunk in, standing out, or a flat space of the
// panel's colour.
enum TPanelBevel { bvNone, bvLowered, bvRaised, bvSpace };
Q_ENUM_NS(TPanelBevel)

} // namespace ControlEnums

using ControlEnums::TAlignment;
using ControlEnums::TTextLayout;
using ControlEnums::TPanelBevel;
using enum ControlEnums::TAlignment;
using enum ControlEnums::TTextLayout;
using enum ControlEnums::TPanelBevel;

} // namespace lark
