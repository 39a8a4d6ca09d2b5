#pragma once
// Placement enumerations of the HTML controls, known to Qt's meta-object
// system so that Qt Designer offers them by name.
//
//     label->SetAlignment(taCenter);   // horizontal placement of the text block
//     label->SetLayout(tlBottom);      // vertical placement

#include <QObject>

namespace lark {

namespace ControlEnums {
Q_NAMESPACE

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
Q_ENUM_NS(TAlignment)

enum TTextLayout { tlTop, tlCenter, tlBottom };
Q_ENUM_NS(TTextLayout)

} // namespace ControlEnums

using ControlEnums::TAlignment;
using ControlEnums::TTextLayout;
using enum ControlEnums::TAlignment;
using enum ControlEnums::TTextLayout;

} // namespace lark
