#pragma once

// The events the render object raises and the HTML controls publish. Each is
// a callable with the parameters in this order; a reference parameter is one
// the handler may change. An unassigned event is skipped.
//
// Sender is the host control, except where the host documents otherwise.

#include <QString>

#include <functional>

class QObject;
class QWidget;

namespace lark {

class TBitmap;
class TLarkHTMLInputItem;
class TLarkHTMLItem;
class TPicture;
class TStringList;

// A link was clicked; HRef is its target exactly as written in the markup.
using TLarkHTMLLinkClickEvent = std::function<void(QObject* sender, const QString& hRef)>;

// An image source the engine does not resolve itself: load it into Image,
// a picture owned by the render object. Exceptions the handler throws are
// ignored.
using TLarkHTMLImageNeededEvent =
    std::function<void(QObject* sender, const QString& sourceName, TPicture* image)>;

// Asked before the image-needed event. Image arrives null; a bitmap the
// handler leaves in it (and keeps owning) is copied, and then the
// image-needed event is not raised.
using TLarkHTMLBitmapNeededEvent = std::function<void(QObject* sender, const QString& src, TBitmap*& image)>;

// aVarValue arrives as "~~"; whatever the handler leaves is shown.
using TLarkHTMLVariableNeededEvent =
    std::function<void(QObject* sender, const QString& aVarName, QString& aVarValue)>;

// Every tag, before the parser interprets it. Tag is lower case (a closing
// tag keeps its "/"); Params is null when the tag has no attributes. A
// changed Tag is looked up again.
using TLarkHTMLTagFoundEvent = std::function<void(QObject* sender, QString& tag, TLarkHTMLItem*& item,
                                                  TStringList*& params, bool aClosing, bool aSupported)>;

// An embedded control was just created.
using TLarkHTMLControlCreatedEvent = std::function<void(QObject* sender, QWidget* aControl)>;

// X and Y arrive as the computed position in the host's client coordinates;
// the control is placed where the handler leaves them. aData is the nearest
// text or paragraph item before the control, or null.
using TLarkHTMLControlPositionNeededEvent =
    std::function<void(QObject* sender, QWidget* aControl, TLarkHTMLItem* aData, int& x, int& y)>;

// aVisible arrives as computed; the control gets the value left in it.
using TLarkHTMLControlVisibilityNeededEvent =
    std::function<void(QObject* sender, QWidget* aControl, TLarkHTMLItem* aData, bool& aVisible)>;

// A check box or radio button item changed its checked state or its value.
using TLarkHTMLInputItemChangedEvent = std::function<void(QObject* sender, TLarkHTMLInputItem* inputItem)>;

// A host bound to a snippet storage moved to another item.
using TLarkHTMLStorageItemChangedEvent =
    std::function<void(QObject* sender, int oldItemIndex, int newItemIndex)>;

} // namespace lark
