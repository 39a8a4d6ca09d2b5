#include <lark/html/host/padding.h>

#include <algorithm>

namespace lark {

TPadding::TPadding(QObject* aOwner)
    : TPadding(0, aOwner)
{
}

TPadding::TPadding(int aDefault, QObject* aOwner)
    : QObject(aOwner)
    , FDefault(aDefault)
    , FLeft(aDefault)
    , FTop(aDefault)
    , FRight(aDefault)
    , FBottom(aDefault)
{
}

void TPadding::SetMargins(int aLeft, int aTop, int aRight, int aBottom)
{
    aLeft = std::max(aLeft, 0);
    aTop = std::max(aTop, 0);
    aRight = std::max(aRight, 0);
    aBottom = std::max(aBottom, 0);
    if (aLeft == FLeft && aTop == FTop && aRight == FRight && aBottom == FBottom)
        return;
    FLeft = aLeft;
    FTop = aTop;
    FRight = aRight;
    FBottom = aBottom;
    Change();
}

void TPadding::Change()
{
    if (OnChange)
        OnChange(this);
    Q_EMIT changed();
}

TLarkPadding::TLarkPadding(QObject* aOwner)
    : TPadding(DefaultValue, aOwner)
{
}

} // namespace lark
