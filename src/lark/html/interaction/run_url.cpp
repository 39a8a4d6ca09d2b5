// Opening link targets with the desktop's handler.
//
// Link texts are often written the way people type addresses: "www.x.org",
// "ftp.x.org", "someone@x.org". Without a colon (so without a scheme) such a
// text gets the scheme it implies; everything else is opened as written.
// The target goes to QDesktopServices as one URL: no shell or command line
// ever sees it, so nothing in it can add arguments or commands.
//
// Untrusted content may only open web pages and compose mail: a link in a
// snippet from elsewhere must not run a program, open a local file or have a
// mail client attach one. The check looks at the very URL that is opened.
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

// Tolerant parsing keeps the text as written (QUrl::fromUserInput would
// guess schemes and turn plain words into web or file addresses).
QUrl TargetUrl(const QString& target)
{
    return QUrl(WithImpliedScheme(target), QUrl::TolerantMode);
}

// Mail clients take "attach" and "attachment" (in any letter case, encoded
// or not) as files to attach. Everything after the first "?" of the decoded
// address counts, so an encoded "?" in the mailbox part hides nothing, and
// every separator some client might honour separates.
bool HasAttachmentParameter(const QUrl& mailto)
{
    QString decoded = mailto.path(QUrl::FullyDecoded);
    if (mailto.hasQuery())
        decoded += u'?' + mailto.query(QUrl::FullyDecoded);
    if (mailto.hasFragment())
        decoded += u'#' + mailto.fragment(QUrl::FullyDecoded);
    const qsizetype query = decoded.indexOf(u'?');
    if (query < 0)
        return false;
    QString parameters = decoded.sliced(query + 1);
    for (const QChar separator : {u';', u'?', u'\r', u'\n'})
        parameters.replace(separator, u'&');
    for (const QStringView parameter : QStringView(parameters).tokenize(u'&')) {
        const qsizetype equals = parameter.indexOf(u'=');
        const QStringView name = equals < 0 ? parameter : parameter.first(equals);
        if (name.trimmed().startsWith(u"attach", Qt::CaseInsensitive))
            return true;
    }
    return false;
}

bool IsAllowedUntrusted(const QUrl& url)
{
    if (url.isEmpty() || !url.isValid())
        return false;
    const QString scheme = url.scheme(); // QUrl keeps schemes in lower case
    if (scheme == u"http" || scheme == u"https")
        return !url.host().isEmpty();
    if (scheme == u"mailto")
        return !HasAttachmentParameter(url);
    return false;
}

bool Open(const QUrl& url)
{
    if (url.isEmpty() || !url.isValid())
        return false;
    const TLarkHTMLRender::TUrlOpener& opener = UrlOpener();
    return opener ? opener(url) : QDesktopServices::openUrl(url);
}

} // namespace

bool TLarkHTMLRender::RunURL(const QString& aURL)
{
    return Open(TargetUrl(aURL));
}

bool TLarkHTMLRender::RunURL(const QString& aURL, bool untrusted)
{
    const QUrl url = TargetUrl(aURL);
    if (untrusted && !IsAllowedUntrusted(url))
        return false;
    return Open(url);
}

bool TLarkHTMLRender::IsUrlAllowedUntrusted(const QString& aURL)
{
    return IsAllowedUntrusted(TargetUrl(aURL));
}

void TLarkHTMLRender::SetUrlOpener(TUrlOpener opener)
{
    UrlOpener() = std::move(opener);
}

} // namespace lark
