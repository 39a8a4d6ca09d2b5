#include "property_checks.h"

#include <QCursor>
#include <QMetaProperty>

#include <gtest/gtest.h>

namespace lark::test {

namespace {

// QVariant compares types that have ==; a cursor has none, so its shape is
// compared instead.
bool SameValue(const QVariant& a, const QVariant& b)
{
    if (a.metaType().id() == QMetaType::QCursor && b.metaType().id() == QMetaType::QCursor)
        return a.value<QCursor>().shape() == b.value<QCursor>().shape();
    return a == b;
}

} // namespace

void ExpectPropertiesReset(QObject& object, std::span<const PropertyResetCase> cases)
{
    const QMetaObject& meta = *object.metaObject();
    for (const PropertyResetCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QMetaProperty property = meta.property(meta.indexOfProperty(c.name));
        ASSERT_TRUE(property.isValid());
        ASSERT_TRUE(property.write(&object, c.changed));
        EXPECT_EQ(property.read(&object), c.changed);
        ASSERT_TRUE(property.reset(&object));
        EXPECT_EQ(property.read(&object), c.expectedDefault);
    }
}

int ExpectFreshResetsKeepValues(QObject& object)
{
    const QMetaObject& meta = *object.metaObject();
    int reset = 0;
    for (int i = 0; i < meta.propertyCount(); ++i) {
        const QMetaProperty property = meta.property(i);
        // Qt's own classes' properties are Qt's business.
        if (!property.isResettable() || !QByteArray(property.enclosingMetaObject()->className()).startsWith("lark::"))
            continue;
        SCOPED_TRACE(property.name());
        const QVariant initial = property.read(&object);
        EXPECT_TRUE(property.reset(&object));
        EXPECT_TRUE(SameValue(property.read(&object), initial)) << property.read(&object).toString().toStdString();
        ++reset;
    }
    return reset;
}

} // namespace lark::test
