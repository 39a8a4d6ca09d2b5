// RunURL: the schemes implied by addresses written without one, and the
// target handed over as one URL. The opener is replaced by a recorder, so
// nothing is really opened.
#include <lark/html/render.h>

#include <QUrl>
#include <gtest/gtest.h>

#include <optional>

using namespace lark;
using namespace Qt::StringLiterals;

namespace {

class RunUrl : public testing::Test
{
protected:
    void SetUp() override
    {
        TLarkHTMLRender::SetUrlOpener([this](const QUrl& url) {
            Opened.push_back(url);
            return OpenerResult;
        });
    }
    void TearDown() override { TLarkHTMLRender::SetUrlOpener({}); }

    std::vector<QUrl> Opened;
    bool OpenerResult = true;
};

struct UrlCase
{
    const char* name;
    QString target;
    QString opened; // as QUrl shows it
};

class RunUrlPrefix : public RunUrl, public testing::WithParamInterface<UrlCase>
{
};

TEST_P(RunUrlPrefix, OpensTheTargetWithItsImpliedScheme)
{
    EXPECT_TRUE(TLarkHTMLRender::RunURL(GetParam().target));
    ASSERT_EQ(Opened.size(), 1u);
    EXPECT_EQ(Opened[0].toString(), GetParam().opened);
}

const UrlCase kUrlCases[] = {
    {"WwwGetsHttp", u"www.example.org/a"_s, u"http://www.example.org/a"_s},
    {"WwwInCapitals", u"WWW.example.org"_s, u"http://www.example.org"_s},
    {"FtpGetsFtp", u"ftp.example.org/pub"_s, u"ftp://ftp.example.org/pub"_s},
    {"FtpInMixedCase", u"Ftp.example.org"_s, u"ftp://ftp.example.org"_s},
    {"MailboxGetsMailto", u"someone@example.org"_s, u"mailto:someone@example.org"_s},
    {"LeadingAtOnlyUnchanged", u"@example"_s, u"@example"_s},
    {"SecondAtCounts", u"@a@b"_s, u"mailto:@a@b"_s},
    {"ColonKeepsWww", u"www.example.org:8080"_s, u"www.example.org:8080"_s},
    {"SchemeKept", u"https://example.org/www"_s, u"https://example.org/www"_s},
    {"MailtoKept", u"mailto:someone@example.org"_s, u"mailto:someone@example.org"_s},
    {"PlainPathUnchanged", u"help/index.html"_s, u"help/index.html"_s},
    // Quotes and blanks stay inside the one URL; nothing splits it.
    {"QuotesAndBlanksStayInside", u"www.example.org/\" -x a"_s, u"http://www.example.org/%22 -x a"_s},
};

INSTANTIATE_TEST_SUITE_P(Rows, RunUrlPrefix, testing::ValuesIn(kUrlCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RunUrl, ReportsTheOpenersResult)
{
    OpenerResult = false;
    EXPECT_FALSE(TLarkHTMLRender::RunURL(u"www.example.org"_s));
    EXPECT_EQ(Opened.size(), 1u);
}

TEST_F(RunUrl, EmptyTargetIsNotOpened)
{
    EXPECT_FALSE(TLarkHTMLRender::RunURL(QString()));
    EXPECT_TRUE(Opened.empty());
}

} // namespace
