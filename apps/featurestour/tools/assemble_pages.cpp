// featurestour-pages: makes the tour's pages.txt (the storage text form the
// program loads) from the page fragments, or checks that it is up to date.
//
//   featurestour-pages apps/featurestour/pages apps/featurestour/pages.txt
//   featurestour-pages --check apps/featurestour/pages apps/featurestour/pages.txt
//
// Exit codes: 0 written, or up to date; 1 out of date (--check); 2 a bad
// command line, or fragments or a file that cannot be read or written.

#include "../page_fragments.h"

#include <lark/storage/storage.h>
#include <lark/storage/text_form.h>

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>

#include <cstdio>
#include <exception>

using namespace Qt::StringLiterals;

namespace {

constexpr int kExitOutOfDate = 1;
constexpr int kExitError = 2;

int Fail(int code, const QString& message)
{
    std::fprintf(stderr, "featurestour-pages: %s\n", qUtf8Printable(message));
    return code;
}

QByteArray TextFormOf(const QString& fragments)
{
    lark::TLarkHTMLStorageItems pages(nullptr);
    lark::tour::ReadPageFragments(fragments, pages);
    return lark::StorageItemsToTextForm(pages).toUtf8();
}

int Check(const QByteArray& expected, const QString& target)
{
    QFile file(target);
    if (!file.open(QIODevice::ReadOnly))
        return Fail(kExitOutOfDate, u"%1 is missing: %2"_s.arg(target, file.errorString()));
    if (file.readAll() != expected)
        return Fail(kExitOutOfDate, u"%1 does not match the fragments; run featurestour-pages to remake it"_s.arg(target));
    return 0;
}

int Write(const QByteArray& text, const QString& target)
{
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        return Fail(kExitError, u"cannot write %1: %2"_s.arg(target, file.errorString()));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments().mid(1);
    const bool check = arguments.removeAll(u"--check"_s) > 0;
    if (arguments.size() != 2)
        return Fail(kExitError, u"usage: featurestour-pages [--check] FRAGMENTS_FOLDER PAGES_TXT"_s);

    QByteArray text;
    try {
        text = TextFormOf(arguments.at(0));
    } catch (const std::exception& e) {
        return Fail(kExitError, QString::fromUtf8(e.what()));
    }
    return check ? Check(text, arguments.at(1)) : Write(text, arguments.at(1));
}
