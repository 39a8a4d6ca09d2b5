#include <lark/framework/class_registry.h>
#include <lark/framework/framework.h>

#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QLoggingCategory>

using namespace Qt::StringLiterals;

namespace lark {

namespace {

Q_LOGGING_CATEGORY(lcFramework, "lark.framework")

// Only the regular face: fonts-wine's tahomabd.ttf has bold metrics but
// regular-weight outlines, so bold text drawn with it looks regular. Without
// it Qt emboldens the regular face, which reads as bold.
constexpr const char16_t* kWineFontFiles[] = {
    u"/usr/share/wine/fonts/tahoma.ttf",
};

// The classic dialog faces, and the scalable faces that stand in for them,
// in order of preference.
constexpr const char16_t* kClassicFaces[] = { u"MS Sans Serif", u"MS Shell Dlg", u"MS Shell Dlg 2" };
constexpr const char16_t* kStandInFaces[] = { u"Tahoma", u"Liberation Sans", u"DejaVu Sans" };

constexpr const char16_t* kStartupClasses[] = { u"TEdit", u"TButton", u"TCheckBox", u"TRadioButton" };

void RegisterWineFonts()
{
    if (QFontDatabase::hasFamily(u"Tahoma"_s))
        return;
    for (const char16_t* file : kWineFontFiles) {
        const QString path = QString::fromUtf16(file);
        if (QFile::exists(path) && QFontDatabase::addApplicationFont(path) < 0)
            qCWarning(lcFramework) << "cannot register font" << path;
    }
}

void SubstituteClassicFaces()
{
    QStringList standIns;
    for (const char16_t* face : kStandInFaces) {
        const QString family = QString::fromUtf16(face);
        if (QFontDatabase::hasFamily(family))
            standIns.append(family);
    }
    if (standIns.isEmpty())
        return;
    for (const char16_t* face : kClassicFaces) {
        const QString family = QString::fromUtf16(face);
        QFont::removeSubstitutions(family);
        QFont::insertSubstitutions(family, standIns);
    }
}

void RegisterStartupClasses()
{
    for (const char16_t* name : kStartupClasses)
        ClassRegistry::Instance().RegisterClass(QStringView(name));
}

} // namespace

void InitializeFramework()
{
    static bool initialized = false;
    if (initialized)
        return;
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        qCWarning(lcFramework) << "InitializeFramework needs a QGuiApplication; nothing done";
        return;
    }
    initialized = true;
    RegisterWineFonts();
    SubstituteClassicFaces();
    RegisterStartupClasses();
}

} // namespace lark
