// The component model's property names on Qt widgets: one getter and one
// setter per property, then the table that names them. Rows of a derived
// class come before rows of its bases, so the first match is the most
// specific one.
#include <lark/framework/color.h>
#include <lark/framework/exceptions.h>
#include "lark/framework/property_alias_p.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace lark::detail {

namespace {

using enum TTypeKind;

constexpr const char* kBooleanNames[] = { "False", "True" };
constexpr const char* kAlignmentNames[] = { "taLeftJustify", "taRightJustify", "taCenter" };
constexpr const char* kLeftRightNames[] = { "taLeftJustify", "taRightJustify" };
constexpr const char* kCheckBoxStateNames[] = { "cbUnchecked", "cbChecked", "cbGrayed" };
constexpr const char* kScrollStyleNames[] = { "ssNone", "ssHorizontal", "ssVertical", "ssBoth" };
constexpr const char* kComboBoxStyleNames[] = { "csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed",
                                                 "csOwnerDrawVariable" };
constexpr const char* kDateTimeKindNames[] = { "dtkDate", "dtkTime" };

// Ordinals of the enumerations above, where code depends on them.
enum { taLeftJustify, taRightJustify, taCenter };
enum { cbUnchecked, cbChecked, cbGrayed };
enum { csDropDown, csSimple, csDropDownList };
enum { dtkDate, dtkTime };

// The registry checked the row's class before calling, so these casts hold.
template <typename W>
const W* As(const QWidget* widget)
{
    return static_cast<const W*>(widget);
}

template <typename W>
W* As(QWidget* widget)
{
    return static_cast<W*>(widget);
}

QVariant Ordinal(int value)
{
    return QVariant(value);
}

QVariant Integer(qint64 value)
{
    return QVariant(value);
}

bool ToBool(const QVariant& v)
{
    return v.toInt() != 0;
}

// Integer properties hold 32 bits; wider values wrap as they would in one.
int ToInt32(const QVariant& v)
{
    return static_cast<int>(static_cast<quint32>(v.toLongLong()));
}

int NonNegative(const QVariant& v)
{
    return std::max(0, ToInt32(v));
}

//---- Any widget ----

QVariant GetName(const QWidget* w) { return w->objectName(); }
void SetName(QWidget* w, const QVariant& v) { w->setObjectName(v.toString()); }
QVariant GetLeft(const QWidget* w) { return Integer(w->x()); }
void SetLeft(QWidget* w, const QVariant& v) { w->move(ToInt32(v), w->y()); }
QVariant GetTop(const QWidget* w) { return Integer(w->y()); }
void SetTop(QWidget* w, const QVariant& v) { w->move(w->x(), ToInt32(v)); }
QVariant GetWidth(const QWidget* w) { return Integer(w->width()); }
void SetWidth(QWidget* w, const QVariant& v) { w->resize(NonNegative(v), w->height()); }
QVariant GetHeight(const QWidget* w) { return Integer(w->height()); }
void SetHeight(QWidget* w, const QVariant& v) { w->resize(w->width(), NonNegative(v)); }
// The widget's own flag, not whether a disabled parent disables it too.
QVariant GetEnabled(const QWidget* w) { return Ordinal(!w->testAttribute(Qt::WA_ForceDisabled)); }
void SetEnabled(QWidget* w, const QVariant& v) { w->setEnabled(ToBool(v)); }
// Visible unless hidden on purpose: a new child shows with its parent.
QVariant GetVisible(const QWidget* w)
{
    return Ordinal(!(w->isHidden() && w->testAttribute(Qt::WA_WState_ExplicitShowHide)));
}

// Showing a widget without parent would open a window of its own; it only
// loses its hidden mark, to show once it has a parent that shows.
void SetVisible(QWidget* w, const QVariant& v)
{
    if (ToBool(v) && !w->parentWidget() && w->isHidden()) {
        w->setAttribute(Qt::WA_WState_ExplicitShowHide, false);
        return;
    }
    w->setVisible(ToBool(v));
}
QVariant GetHint(const QWidget* w) { return w->toolTip(); }
void SetHint(QWidget* w, const QVariant& v) { w->setToolTip(v.toString()); }

QVariant GetTabStop(const QWidget* w)
{
    return Ordinal((w->focusPolicy() & Qt::TabFocus) != 0);
}

// Without a tab stop the widget still takes focus when clicked.
void SetTabStop(QWidget* w, const QVariant& v)
{
    const int policy = ToBool(v) ? (w->focusPolicy() | Qt::TabFocus) : (w->focusPolicy() & ~Qt::TabFocus);
    w->setFocusPolicy(static_cast<Qt::FocusPolicy>(policy));
}

// The palette role a control's Color stands for: the field of edits, lists
// and pickers, the face of push buttons, else the window colour behind the
// control (which it then has to fill itself).
QPalette::ColorRole ColorRoleOf(const QWidget* w)
{
    if (qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractScrollArea*>(w)
        || qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QComboBox*>(w))
        return QPalette::Base;
    if (qobject_cast<const QPushButton*>(w))
        return QPalette::Button;
    return QPalette::Window;
}

QVariant GetColor(const QWidget* w)
{
    return Integer(FromQColor(w->palette().color(ColorRoleOf(w))));
}

void SetColor(QWidget* w, const QVariant& v)
{
    const TColor color = static_cast<TColor>(static_cast<quint32>(v.toLongLong()));
    const QPalette::ColorRole role = ColorRoleOf(w);
    QPalette palette = w->palette();
    palette.setColor(role, ToQColor(color, w));
    w->setPalette(palette);
    if (role == QPalette::Window)
        w->setAutoFillBackground(true);
}

QVariant GetParentColor(const QWidget* w)
{
    return Ordinal(!w->palette().isBrushSet(QPalette::Active, ColorRoleOf(w)));
}

// True drops the widget's own colour so that it follows its parent's (and a
// control on the window colour stops filling, showing its parent through);
// false keeps the current colour as the widget's own.
void SetParentColor(QWidget* w, const QVariant& v)
{
    const QPalette::ColorRole role = ColorRoleOf(w);
    const QPalette current = w->palette();
    if (!ToBool(v)) {
        QPalette own = current;
        own.setColor(role, current.color(role));
        w->setPalette(own);
        return;
    }
    if (role == QPalette::Window)
        w->setAutoFillBackground(false);
    QPalette inherited;
    for (int group = 0; group < QPalette::NColorGroups; ++group) {
        for (int r = 0; r < QPalette::NColorRoles; ++r) {
            const auto cg = static_cast<QPalette::ColorGroup>(group);
            const auto cr = static_cast<QPalette::ColorRole>(r);
            if (cr != role && current.isBrushSet(cg, cr))
                inherited.setBrush(cg, cr, current.brush(cg, cr));
        }
    }
    w->setPalette(inherited);
}

//---- Buttons ----

QVariant GetCaption(const QWidget* w) { return As<QAbstractButton>(w)->text(); }
void SetCaption(QWidget* w, const QVariant& v) { As<QAbstractButton>(w)->setText(v.toString()); }
QVariant GetDefault(const QWidget* w) { return Ordinal(As<QPushButton>(w)->isDefault()); }
void SetDefault(QWidget* w, const QVariant& v) { As<QPushButton>(w)->setDefault(ToBool(v)); }
QVariant GetButtonChecked(const QWidget* w) { return Ordinal(As<QAbstractButton>(w)->isChecked()); }
void SetButtonChecked(QWidget* w, const QVariant& v) { As<QAbstractButton>(w)->setChecked(ToBool(v)); }

QVariant GetState(const QWidget* w)
{
    switch (As<QCheckBox>(w)->checkState()) {
    case Qt::Checked:
        return Ordinal(cbChecked);
    case Qt::PartiallyChecked:
        return Ordinal(cbGrayed);
    default:
        return Ordinal(cbUnchecked);
    }
}

void SetState(QWidget* w, const QVariant& v)
{
    static constexpr Qt::CheckState kStates[] = { Qt::Unchecked, Qt::Checked, Qt::PartiallyChecked };
    As<QCheckBox>(w)->setCheckState(kStates[std::clamp(v.toInt(), 0, 2)]);
}

QVariant GetAllowGrayed(const QWidget* w) { return Ordinal(As<QCheckBox>(w)->isTristate()); }
void SetAllowGrayed(QWidget* w, const QVariant& v) { As<QCheckBox>(w)->setTristate(ToBool(v)); }

// Where the caption stands: right of the box (taRightJustify) or left of it.
QVariant GetCaptionSide(const QWidget* w)
{
    return Ordinal(w->layoutDirection() == Qt::RightToLeft ? taLeftJustify : taRightJustify);
}

void SetCaptionSide(QWidget* w, const QVariant& v)
{
    w->setLayoutDirection(v.toInt() == taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
}

//---- Edits ----

// Qt's "no limit" is 32767 characters; the component model writes it as 0.
constexpr int kQtMaxLength = 32767;

QVariant GetEditText(const QWidget* w) { return As<QLineEdit>(w)->text(); }
void SetEditText(QWidget* w, const QVariant& v) { As<QLineEdit>(w)->setText(v.toString()); }
QVariant GetEditReadOnly(const QWidget* w) { return Ordinal(As<QLineEdit>(w)->isReadOnly()); }
void SetEditReadOnly(QWidget* w, const QVariant& v) { As<QLineEdit>(w)->setReadOnly(ToBool(v)); }
QVariant GetTextHint(const QWidget* w) { return As<QLineEdit>(w)->placeholderText(); }
void SetTextHint(QWidget* w, const QVariant& v) { As<QLineEdit>(w)->setPlaceholderText(v.toString()); }

QVariant GetMaxLength(const QWidget* w)
{
    const int length = As<QLineEdit>(w)->maxLength();
    return Integer(length >= kQtMaxLength ? 0 : length);
}

void SetMaxLength(QWidget* w, const QVariant& v)
{
    const int length = ToInt32(v);
    As<QLineEdit>(w)->setMaxLength(length <= 0 ? kQtMaxLength : std::min(length, kQtMaxLength));
}

QVariant GetEditAlignment(const QWidget* w)
{
    const Qt::Alignment horizontal = As<QLineEdit>(w)->alignment() & Qt::AlignHorizontal_Mask;
    if (horizontal & (Qt::AlignRight | Qt::AlignTrailing))
        return Ordinal(taRightJustify);
    if (horizontal & Qt::AlignHCenter)
        return Ordinal(taCenter);
    return Ordinal(taLeftJustify);
}

void SetEditAlignment(QWidget* w, const QVariant& v)
{
    static constexpr Qt::AlignmentFlag kHorizontal[] = { Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter };
    As<QLineEdit>(w)->setAlignment(kHorizontal[std::clamp(v.toInt(), 0, 2)] | Qt::AlignVCenter);
}

// Qt masks with the style's own character; any non-zero character masks.
QVariant GetPasswordChar(const QWidget* w)
{
    return Ordinal(As<QLineEdit>(w)->echoMode() == QLineEdit::Normal ? 0 : int(u'*'));
}

void SetPasswordChar(QWidget* w, const QVariant& v)
{
    As<QLineEdit>(w)->setEchoMode(v.toInt() == 0 ? QLineEdit::Normal : QLineEdit::Password);
}

//---- Memo ----

QVariant GetMemoText(const QWidget* w) { return As<QPlainTextEdit>(w)->toPlainText(); }
void SetMemoText(QWidget* w, const QVariant& v) { As<QPlainTextEdit>(w)->setPlainText(v.toString()); }
QVariant GetMemoReadOnly(const QWidget* w) { return Ordinal(As<QPlainTextEdit>(w)->isReadOnly()); }
void SetMemoReadOnly(QWidget* w, const QVariant& v) { As<QPlainTextEdit>(w)->setReadOnly(ToBool(v)); }

QVariant GetWordWrap(const QWidget* w)
{
    return Ordinal(As<QPlainTextEdit>(w)->lineWrapMode() != QPlainTextEdit::NoWrap);
}

void SetWordWrap(QWidget* w, const QVariant& v)
{
    As<QPlainTextEdit>(w)->setLineWrapMode(ToBool(v) ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

// ssHorizontal is bit 0 and ssVertical bit 1 of the ordinal; ssBoth has both.
QVariant GetScrollBars(const QWidget* w)
{
    const auto* memo = As<QPlainTextEdit>(w);
    const int horizontal = memo->horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOff ? 0 : 1;
    const int vertical = memo->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOff ? 0 : 2;
    return Ordinal(horizontal | vertical);
}

void SetScrollBars(QWidget* w, const QVariant& v)
{
    auto* memo = As<QPlainTextEdit>(w);
    const int bars = v.toInt();
    memo->setHorizontalScrollBarPolicy((bars & 1) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    memo->setVerticalScrollBarPolicy((bars & 2) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

//---- Combo box ----

QVariant GetComboText(const QWidget* w) { return As<QComboBox>(w)->currentText(); }
void SetComboText(QWidget* w, const QVariant& v) { As<QComboBox>(w)->setCurrentText(v.toString()); }
QVariant GetItemIndex(const QWidget* w) { return Integer(As<QComboBox>(w)->currentIndex()); }
void SetItemIndex(QWidget* w, const QVariant& v) { As<QComboBox>(w)->setCurrentIndex(ToInt32(v)); }
QVariant GetDropDownCount(const QWidget* w) { return Integer(As<QComboBox>(w)->maxVisibleItems()); }
void SetDropDownCount(QWidget* w, const QVariant& v) { As<QComboBox>(w)->setMaxVisibleItems(std::max(1, ToInt32(v))); }

QVariant GetComboStyle(const QWidget* w)
{
    return Ordinal(As<QComboBox>(w)->isEditable() ? csDropDown : csDropDownList);
}

// Only the drop-down and simple styles have an edit field.
void SetComboStyle(QWidget* w, const QVariant& v)
{
    const int style = v.toInt();
    As<QComboBox>(w)->setEditable(style == csDropDown || style == csSimple);
}

//---- Date and time picker ----

// Dates travel as the component model's date-time number: whole days since
// 30 December 1899, the fraction the time of day. Before that day the whole
// part counts backwards and the fraction still counts forward from midnight.
constexpr qint64 kMsecsPerDay = 24 * 60 * 60 * 1000;
// 1 January 100 to 31 December 9999, the range the picker accepts.
constexpr double kMinDateTime = -657434.0;
constexpr double kMaxDateTime = 2958466.0;

QDate DayZero()
{
    return QDate(1899, 12, 30);
}

double DateTimeToNumber(const QDateTime& value)
{
    const double days = double(DayZero().daysTo(value.date()));
    const double fraction = double(value.time().msecsSinceStartOfDay()) / double(kMsecsPerDay);
    return days >= 0 ? days + fraction : days - fraction;
}

QDateTime NumberToDateTime(double value)
{
    if (!std::isfinite(value) || value < kMinDateTime || value >= kMaxDateTime)
        throw EConvertError(u"'%1' is not a valid date and time"_s.arg(value));
    const double days = std::trunc(value);
    const qint64 msecs = std::min(kMsecsPerDay - 1, qint64(std::llround(std::fabs(value - days) * double(kMsecsPerDay))));
    return QDateTime(DayZero().addDays(qint64(days)), QTime::fromMSecsSinceStartOfDay(int(msecs)));
}

QVariant GetDateTime(const QWidget* w) { return DateTimeToNumber(As<QDateTimeEdit>(w)->dateTime()); }
void SetDateTime(QWidget* w, const QVariant& v) { As<QDateTimeEdit>(w)->setDateTime(NumberToDateTime(v.toDouble())); }

QVariant GetDate(const QWidget* w)
{
    return DateTimeToNumber(QDateTime(As<QDateTimeEdit>(w)->date(), QTime(0, 0)));
}

void SetDate(QWidget* w, const QVariant& v)
{
    As<QDateTimeEdit>(w)->setDate(NumberToDateTime(v.toDouble()).date());
}

QVariant GetTime(const QWidget* w)
{
    return double(As<QDateTimeEdit>(w)->time().msecsSinceStartOfDay()) / double(kMsecsPerDay);
}

void SetTime(QWidget* w, const QVariant& v)
{
    As<QDateTimeEdit>(w)->setTime(NumberToDateTime(v.toDouble()).time());
}

QVariant GetMinDate(const QWidget* w)
{
    return DateTimeToNumber(QDateTime(As<QDateTimeEdit>(w)->minimumDate(), QTime(0, 0)));
}

void SetMinDate(QWidget* w, const QVariant& v)
{
    As<QDateTimeEdit>(w)->setMinimumDate(NumberToDateTime(v.toDouble()).date());
}

QVariant GetMaxDate(const QWidget* w)
{
    return DateTimeToNumber(QDateTime(As<QDateTimeEdit>(w)->maximumDate(), QTime(0, 0)));
}

void SetMaxDate(QWidget* w, const QVariant& v)
{
    As<QDateTimeEdit>(w)->setMaximumDate(NumberToDateTime(v.toDouble()).date());
}

QVariant GetPickerKind(const QWidget* w)
{
    const bool showsDate = (As<QDateTimeEdit>(w)->displayedSections() & QDateTimeEdit::DateSections_Mask) != 0;
    return Ordinal(showsDate ? dtkDate : dtkTime);
}

void SetPickerKind(QWidget* w, const QVariant& v)
{
    const QLocale locale = w->locale();
    As<QDateTimeEdit>(w)->setDisplayFormat(v.toInt() == dtkTime ? locale.timeFormat(QLocale::ShortFormat)
                                                                   : locale.dateFormat(QLocale::ShortFormat));
}

//---- The table ----

constexpr std::span<const char* const> kNoElements;

const PropertyAlias kAliases[] = {
    // Check boxes
    { &QCheckBox::staticMetaObject, "Checked", tkEnumeration, "Boolean", kBooleanNames, GetButtonChecked, SetButtonChecked },
    { &QCheckBox::staticMetaObject, "State", tkEnumeration, "TCheckBoxState", kCheckBoxStateNames, GetState, SetState },
    { &QCheckBox::staticMetaObject, "AllowGrayed", tkEnumeration, "Boolean", kBooleanNames, GetAllowGrayed, SetAllowGrayed },
    { &QCheckBox::staticMetaObject, "Alignment", tkEnumeration, "TLeftRight", kLeftRightNames, GetCaptionSide, SetCaptionSide },
    // Radio buttons
    { &QRadioButton::staticMetaObject, "Checked", tkEnumeration, "Boolean", kBooleanNames, GetButtonChecked, SetButtonChecked },
    { &QRadioButton::staticMetaObject, "Alignment", tkEnumeration, "TLeftRight", kLeftRightNames, GetCaptionSide, SetCaptionSide },
    // Push buttons
    { &QPushButton::staticMetaObject, "Default", tkEnumeration, "Boolean", kBooleanNames, GetDefault, SetDefault },
    // Every button
    { &QAbstractButton::staticMetaObject, "Caption", tkString, "TCaption", kNoElements, GetCaption, SetCaption },
    // Edits
    { &QLineEdit::staticMetaObject, "Text", tkString, "TCaption", kNoElements, GetEditText, SetEditText },
    { &QLineEdit::staticMetaObject, "ReadOnly", tkEnumeration, "Boolean", kBooleanNames, GetEditReadOnly, SetEditReadOnly },
    { &QLineEdit::staticMetaObject, "MaxLength", tkInteger, "Integer", kNoElements, GetMaxLength, SetMaxLength },
    { &QLineEdit::staticMetaObject, "Alignment", tkEnumeration, "TAlignment", kAlignmentNames, GetEditAlignment, SetEditAlignment },
    { &QLineEdit::staticMetaObject, "PasswordChar", tkWChar, "Char", kNoElements, GetPasswordChar, SetPasswordChar },
    { &QLineEdit::staticMetaObject, "TextHint", tkString, "string", kNoElements, GetTextHint, SetTextHint },
    // Memos
    { &QPlainTextEdit::staticMetaObject, "Text", tkString, "TCaption", kNoElements, GetMemoText, SetMemoText },
    { &QPlainTextEdit::staticMetaObject, "ReadOnly", tkEnumeration, "Boolean", kBooleanNames, GetMemoReadOnly, SetMemoReadOnly },
    { &QPlainTextEdit::staticMetaObject, "WordWrap", tkEnumeration, "Boolean", kBooleanNames, GetWordWrap, SetWordWrap },
    { &QPlainTextEdit::staticMetaObject, "ScrollBars", tkEnumeration, "TScrollStyle", kScrollStyleNames, GetScrollBars, SetScrollBars },
    // Combo boxes
    { &QComboBox::staticMetaObject, "Text", tkString, "TCaption", kNoElements, GetComboText, SetComboText },
    { &QComboBox::staticMetaObject, "ItemIndex", tkInteger, "Integer", kNoElements, GetItemIndex, SetItemIndex },
    { &QComboBox::staticMetaObject, "Style", tkEnumeration, "TComboBoxStyle", kComboBoxStyleNames, GetComboStyle, SetComboStyle },
    { &QComboBox::staticMetaObject, "DropDownCount", tkInteger, "Integer", kNoElements, GetDropDownCount, SetDropDownCount },
    // Date and time pickers
    { &QDateTimeEdit::staticMetaObject, "Date", tkFloat, "TDate", kNoElements, GetDate, SetDate },
    { &QDateTimeEdit::staticMetaObject, "Time", tkFloat, "TTime", kNoElements, GetTime, SetTime },
    { &QDateTimeEdit::staticMetaObject, "DateTime", tkFloat, "TDateTime", kNoElements, GetDateTime, SetDateTime },
    { &QDateTimeEdit::staticMetaObject, "MinDate", tkFloat, "TDate", kNoElements, GetMinDate, SetMinDate },
    { &QDateTimeEdit::staticMetaObject, "MaxDate", tkFloat, "TDate", kNoElements, GetMaxDate, SetMaxDate },
    { &QDateTimeEdit::staticMetaObject, "Kind", tkEnumeration, "TDateTimeKind", kDateTimeKindNames, GetPickerKind, SetPickerKind },
    // Every widget
    { &QWidget::staticMetaObject, "Name", tkString, "TComponentName", kNoElements, GetName, SetName },
    { &QWidget::staticMetaObject, "Left", tkInteger, "Integer", kNoElements, GetLeft, SetLeft },
    { &QWidget::staticMetaObject, "Top", tkInteger, "Integer", kNoElements, GetTop, SetTop },
    { &QWidget::staticMetaObject, "Width", tkInteger, "Integer", kNoElements, GetWidth, SetWidth },
    { &QWidget::staticMetaObject, "Height", tkInteger, "Integer", kNoElements, GetHeight, SetHeight },
    { &QWidget::staticMetaObject, "Enabled", tkEnumeration, "Boolean", kBooleanNames, GetEnabled, SetEnabled },
    { &QWidget::staticMetaObject, "Visible", tkEnumeration, "Boolean", kBooleanNames, GetVisible, SetVisible },
    { &QWidget::staticMetaObject, "TabStop", tkEnumeration, "Boolean", kBooleanNames, GetTabStop, SetTabStop },
    { &QWidget::staticMetaObject, "Hint", tkString, "string", kNoElements, GetHint, SetHint },
    { &QWidget::staticMetaObject, "Color", tkInteger, "TColor", kNoElements, GetColor, SetColor },
    { &QWidget::staticMetaObject, "ParentColor", tkEnumeration, "Boolean", kBooleanNames, GetParentColor, SetParentColor },
};

} // namespace

std::span<const PropertyAlias> PropertyAliases()
{
    return kAliases;
}

bool AliasAppliesTo(const PropertyAlias& row, const QWidget* widget)
{
    return widget && widget->metaObject()->inherits(row.owner);
}

int FindPropertyAlias(const QWidget* widget, QStringView name)
{
    for (int i = 0; i < int(std::size(kAliases)); ++i) {
        const PropertyAlias& row = kAliases[i];
        if (name.compare(QLatin1StringView(row.name), Qt::CaseInsensitive) == 0 && AliasAppliesTo(row, widget))
            return i;
    }
    return -1;
}

} // namespace lark::detail
