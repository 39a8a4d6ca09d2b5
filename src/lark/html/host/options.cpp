#include <lark/html/host/options.h>

#include <lark/framework/exceptions.h>

#include <QMetaObject>

using namespace Qt::StringLiterals;

namespace lark {

namespace {

// The class name as the component model writes it, without our namespace.
QString ClassNameOf(const QObject* object)
{
    if (!object)
        return u"nil"_s;
    QString name = QString::fromLatin1(object->metaObject()->className());
    if (name.startsWith("lark::"_L1))
        name.remove(0, 6);
    return name;
}

} // namespace

TLarkHTMLOptions::TLarkHTMLOptions(QObject* aOwner)
    : FOwner(aOwner)
{
}

void TLarkHTMLOptions::SetLinkColor(TColor value)
{
    if (value == FLinkColor)
        return;
    FLinkColor = value;
    Change();
}

void TLarkHTMLOptions::SetLineGap(int value)
{
    if (value == FLineGap)
        return;
    FLineGap = value;
    Change();
}

void TLarkHTMLOptions::SetLinkStyle(TFontStyles value)
{
    if (value == FLinkStyle)
        return;
    FLinkStyle = value;
    Change();
}

void TLarkHTMLOptions::Assign(const QObject* other)
{
    if (other == this)
        return;
    const auto* source = qobject_cast<const TLarkHTMLOptions*>(other);
    if (!source)
        throw EConvertError(u"Cannot assign a %1 to a %2"_s.arg(ClassNameOf(other), ClassNameOf(this)));
    FLinkColor = source->FLinkColor;
    FLinkStyle = source->FLinkStyle;
    FLineGap = source->FLineGap;
    Change();
}

void TLarkHTMLOptions::EndUpdate(bool aValue)
{
    FUpdate = 0;
    if (aValue)
        Change();
}

QString TLarkHTMLOptions::GetSetStr() const
{
    return {};
}

void TLarkHTMLOptions::Change()
{
    if (FUpdate == 1)
        return;
    if (OnChange)
        OnChange(this);
    Q_EMIT changed();
}

} // namespace lark
