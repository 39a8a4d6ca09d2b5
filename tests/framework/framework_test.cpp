// Start-up: fonts and the classes registered at start.
#include <lark/framework/class_registry.h>
#include <lark/framework/font.h>
#include <lark/framework/framework.h>

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <gtest/gtest.h>

using namespace lark;

namespace {

TEST(Framework, ClassicFacesBecomeAScalableFace)
{
    InitializeFramework(); // again: does nothing more
    const QStringList standIns{ "Tahoma", "Liberation Sans", "DejaVu Sans" };
    QString expected;
    for (const QString& family : standIns) {
        if (QFontDatabase::hasFamily(family)) {
            expected = family;
            break;
        }
    }
    ASSERT_FALSE(expected.isEmpty());
    for (const char* face : { "MS Sans Serif", "MS Shell Dlg", "MS Shell Dlg 2" }) {
        SCOPED_TRACE(face);
        const QFont font = MakeQFont(QString::fromLatin1(face), -11, {});
        EXPECT_EQ(QFontInfo(font).family(), expected);
        // A bitmap-only face would report nonsense widths here.
        const QFontMetrics metrics(font);
        EXPECT_GT(metrics.averageCharWidth(), 3);
        EXPECT_LT(metrics.averageCharWidth(), 11);
        EXPECT_GE(metrics.maxWidth(), metrics.averageCharWidth());
        // And it scales: twice the height, about twice the width.
        const QFontMetrics twice(MakeQFont(QString::fromLatin1(face), -22, {}));
        EXPECT_GT(twice.horizontalAdvance("abcdefgh"), metrics.horizontalAdvance("abcdefgh") * 3 / 2);
    }
}

TEST(Framework, RegistersTheFourStartupClasses)
{
    for (const char* name : { "TEdit", "TButton", "TCheckBox", "TRadioButton" })
        EXPECT_TRUE(ClassRegistry::Instance().IsRegistered(QString::fromLatin1(name))) << name;
    for (const char* name : { "TMemo", "TComboBox", "TDateTimePicker" })
        EXPECT_FALSE(ClassRegistry::Instance().IsRegistered(QString::fromLatin1(name))) << name;
}

} // namespace
