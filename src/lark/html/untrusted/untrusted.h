#pragma once
// TLarkHTMLControlAllowList: the embedded controls a snippet shown as
// untrusted content may create, and per class the properties its tag may set.
//
// A render object in untrusted mode (TLarkHTMLRender::SetUntrusted) creates
// no control unless its class is allowed here, and applies only the allowed
// properties; every other attribute of the tag is ignored. The list starts
// empty: untrusted markup creates no control at all until the application
// names what it accepts.
//
//     render.ControlAllowList().AllowClass(u"TCheckBox"_s, {u"Caption"_s, u"Checked"_s});
//
// Class and property names ignore letter case. The tag's "width" and "height"
// size the control's box whatever the list says.

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

namespace lark {

class TLarkHTMLControlAllowList
{
public:
    // Allows ClassName and adds Properties to the ones it may set. Allowing
    // a class twice adds to its properties.
    void AllowClass(const QString& className, const QStringList& properties = {});
    // Takes the class and its properties off the list.
    void DisallowClass(const QString& className);
    void Clear() { FClasses.clear(); }
    bool IsEmpty() const { return FClasses.isEmpty(); }

    bool IsClassAllowed(const QString& className) const;
    // False for a class that is not allowed.
    bool IsPropertyAllowed(const QString& className, const QString& propertyName) const;

    // The allowed classes and a class's properties, in lower case and sorted.
    QStringList AllowedClasses() const;
    QStringList AllowedProperties(const QString& className) const;

private:
    // Lower-case class name to its lower-case property names.
    QHash<QString, QSet<QString>> FClasses;
};

} // namespace lark
