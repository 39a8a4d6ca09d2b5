// Opening link targets with the desktop's handler.
//
// Link texts are often written the way people type addresses: "www.x.org",
// "ftp.x.org", "someone@x.org". Without a colon (so without a scheme) such a
// text gets the scheme it implies; everything else is opened as written.
// The target goes to QDesktopServices as one URL: no shell or command line
// ever sees it, so nothing in it can add arguments or commands.
#include <lark/html/render.h>

#include <QDesktopServices>
#include <QUrl>

#include <utility>

using namespace Qt::StringLiterals;

namespace lark {

namespace {

TLarkHTMLRender::TUrlOpener& UrlOpener()
{
    static TLarkHTMLRender::TUrlOpener opener;
    return opener;
}

QString WithImpliedScheme(const QString& target)
{
    if (target.contains(u':'))
        return target;
    if (target.startsWith(u"www", Qt::CaseInsensitive))
        return u"http://"_s + target;
    if (target.startsWith(u"ftp", Qt::CaseInsensitive))
        return u"ftp://"_s + target;
    // An "@" in first place names no mailbox.
    if (target.indexOf(u'@', 1) > 0)
        return u"mailto:"_s + target;
    return target;
}

} // namespace

bool TLarkHTMLRender::RunURL(const QString& aURL)
{
    // Tolerant parsing keeps the text as written (QUrl::fromUserInput would
    // guess schemes and turn plain words into web or file addresses).
    const QUrl url(WithImpliedScheme(aURL), QUrl::TolerantMode);
    if (url.isEmpty() || !url.isValid())
        return false;
    const TUrlOpener& opener = UrlOpener();
    return opener ? opener(url) : QDesktopServices::openUrl(url);
}

void TLarkHTMLRender::SetUrlOpener(TUrlOpener Opener)
{
    UrlOpener() = std::move(Opener);
}

} // namespace lark
