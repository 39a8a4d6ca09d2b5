#include <lark/lark.h>

#include <QGuiApplication>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    lark::InitializeFramework();
    lark::TStringList list;
    list.Add(QStringLiteral("a=1"));
    return list.Values(QStringLiteral("A")) == QStringLiteral("1") ? 0 : 1;
}
