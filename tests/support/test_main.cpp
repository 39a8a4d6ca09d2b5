// main() for every test binary: a QApplication on the offscreen platform with
// the framework initialised (fonts registered, classes registered), so that
// tests measure and paint with the same fonts on every machine.
#include <lark/framework/framework.h>

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    lark::InitializeFramework();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
