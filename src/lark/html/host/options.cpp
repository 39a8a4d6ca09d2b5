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

TLarkHTMLOptions::TLarkHTMLOptions(QObject* AOwner)
    : FOwner(AOwner)
{
}

void TLarkHTMLOptions::SetLinkColor(TColor Value)
{
    if (Value == FLinkColor)
        return;
    FLinkColor = Value;
    Change();
}

void TLarkHTMLOptions::SetLineGap(int Value)
{
    if (Value == FLineGap)
        return;
    FLineGap = Value;
    Change();
}

void TLarkHTMLOptions::SetLinkStyle(TFontStyles Value)
{
    if (Value == FLinkStyle)
        return;
    FLinkStyle = Value;
    Change();
}

void TLarkHTMLOptions::Assign(const QObject* Source)
{
    if (Source == this)
        return;
    const auto* source = qobject_cast<const TLarkHTMLOptions*>(Source);
    if (!source)
        throw EConvertError(u"Cannot assign a %1 to a %2"_s.arg(ClassNameOf(Source), ClassNameOf(this)));
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
