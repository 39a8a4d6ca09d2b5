// Untrusted mode on the HTML controls: the published property reaches the
// render object, a link whose target is not a web page or mail address
// raises nothing when clicked or entered, and storage links still switch
// pages.
#include <lark/controls/label.h>
#include <lark/controls/view.h>
#include <lark/html/model/data.h>
#include <lark/html/render.h>
#include <lark/storage/storage.h>

#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace Qt::StringLiterals;

namespace lark {
namespace {

enum class HostKind { Label, View };

// A label or a view of 300 x 100 showing one link, with OnLinkClick and
// the linkClicked-style notifications recorded.
class UntrustedHostLinks : public testing::TestWithParam<HostKind>
{
protected:
    void SetUp() override
    {
        Form.resize(320, 120);
        if (GetParam() == HostKind::Label) {
            auto* label = new TLarkHTMLLabel(&Form);
            Widget = label;
            Host = label;
            QObject::connect(label, &TLarkCustomHTMLLabel::linkClicked, [this](const QString&) { ++Signals; });
        } else {
            auto* view = new TLarkHTMLView(&Form);
            view->SetBorderStyle(bsNone);
            Widget = view;
            Host = view;
            QObject::connect(view, &TLarkCustomHTMLView::linkClicked, [this](const QString&) { ++Signals; });
        }
        Widget->resize(300, 100);
        Host->OnLinkClick = [this](QObject*, const QString& href) { Clicked << href; };
        Form.show();
    }

    void ShowLinkTo(const QString& target)
    {
        Host->SetCaption(u"<a href=\"%1\">link text</a>"_s.arg(target));
        Widget->grab(); // a paint places the items
    }
    QPoint OverTheLink() const
    {
        if (auto* label = qobject_cast<TLarkHTMLLabel*>(Widget))
            return label->GetTextRect().topLeft() + QPoint(label->Padding()->Left() + 3, label->Padding()->Top() + 5);
        return static_cast<TLarkHTMLView*>(Widget)->TextRect().topLeft() + QPoint(3, 5);
    }
    void Click() { QTest::mouseClick(Widget, Qt::LeftButton, Qt::NoModifier, OverTheLink()); }

    QWidget Form;
    QWidget* Widget = nullptr;           // owned by Form
    TLarkHTMLHostBase* Host = nullptr;   // the same widget
    QStringList Clicked;
    int Signals = 0;
};

TEST_P(UntrustedHostLinks, PropertyForwardsToTheRenderObjectAndRelaysOut)
{
    ShowLinkTo(u"http://example.org"_s);
    EXPECT_FALSE(Widget->property("Untrusted").toBool());
    Host->SetCaption(u"<control vclclass=TButton>"_s);
    EXPECT_EQ(Host->Render()->Data()->ControlsArray().size(), 1);

    ASSERT_TRUE(Widget->setProperty("Untrusted", true));
    EXPECT_TRUE(Host->Untrusted());
    EXPECT_TRUE(Host->Render()->Untrusted());
    // Re-laid out at once: the control tag now creates nothing.
    EXPECT_TRUE(Host->Render()->Data()->ControlsArray().isEmpty());

    Host->ControlAllowList().AllowClass(u"TButton"_s);
    EXPECT_TRUE(Host->Render()->ControlAllowList().IsClassAllowed(u"tbutton"_s));

    const int property = Widget->metaObject()->indexOfProperty("Untrusted");
    ASSERT_GE(property, 0);
    ASSERT_TRUE(Widget->metaObject()->property(property).reset(Widget));
    EXPECT_FALSE(Host->Render()->Untrusted());
}

TEST_P(UntrustedHostLinks, ClickOnARefusedTargetRaisesNothing)
{
    struct Case
    {
        QString target;
        bool raisedUntrusted;
    };
    const Case cases[] = {
        {u"http://example.org/a"_s, true},
        {u"www.example.org"_s, true},
        {u"mailto:someone@example.org"_s, true},
        {u"javascript:alert(1)"_s, false},
        {u"file:///etc/passwd"_s, false},
        {u"ftp://example.org"_s, false},
        {u"mailto:someone@example.org?attach=/etc/passwd"_s, false},
    };
    for (const bool untrusted : {false, true}) {
        Host->SetUntrusted(untrusted);
        for (const Case& c : cases) {
            SCOPED_TRACE(c.target.toStdString() + (untrusted ? " untrusted" : " trusted"));
            Clicked.clear();
            Signals = 0;
            ShowLinkTo(c.target);
            Click();
            const bool raised = !untrusted || c.raisedUntrusted;
            EXPECT_EQ(Clicked, raised ? QStringList{c.target} : QStringList());
            EXPECT_EQ(Signals, raised ? 1 : 0);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Hosts, UntrustedHostLinks, testing::Values(HostKind::Label, HostKind::View),
                         [](const auto& info) { return std::string(info.param == HostKind::Label ? "Label" : "View"); });

// The keyboard path of the view: Enter on a link selected with Tab.
TEST(UntrustedViewLinks, EnterOnARefusedTargetRaisesNothing)
{
    TLarkHTMLView view;
    view.resize(300, 100);
    view.show();
    QStringList clicked;
    view.OnLinkClick = [&](QObject*, const QString& href) { clicked << href; };
    view.SetUntrusted(true);
    view.SetCaption(u"<a href=\"javascript:alert(1)\">bad</a> <a href=\"https://example.org\">good</a>"_s);
    view.grab();
    for (int link = 0; link < 2; ++link) {
        QTest::keyClick(&view, Qt::Key_Tab);
        QTest::keyClick(&view, Qt::Key_Return);
    }
    EXPECT_EQ(clicked, QStringList{u"https://example.org"_s});
}

// Storage links are the host's own page switches, not URLs: they keep
// working; a target no page has still shows the not-found page, but a
// refused target is not handed on.
TEST(UntrustedStorageLinks, PageLinksSwitchAndRefusedTargetsStayInside)
{
    TLarkHTMLStorage storage;
    for (const char* name : {"Home", "Next", "Missing"}) {
        TLarkHTMLStorageItem* item = storage.Items()->Add();
        item->SetName(QString::fromLatin1(name));
    }
    TLarkHTMLLabel label;
    label.resize(300, 60);
    label.show();
    label.SetStorage(&storage);
    label.SetStorageItemNotFoundIndex(2);
    label.SetUntrusted(true);
    QStringList clicked;
    label.OnLinkClick = [&](QObject*, const QString& href) { clicked << href; };

    struct Case
    {
        QString target;
        int page;
        QStringList clicked;
    };
    const Case cases[] = {
        {u"Next"_s, 1, {}},
        {u"javascript:alert(1)"_s, 2, {}},
        {u"https://example.org"_s, 2, {u"https://example.org"_s}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target.toStdString());
        clicked.clear();
        storage.Items()->Items(0)->Lines().SetText(u"<a href=\"%1\">link text</a>"_s.arg(c.target));
        label.SetStorageItemIndex(0);
        label.grab();
        const QPoint overLink =
            label.GetTextRect().topLeft() + QPoint(label.Padding()->Left() + 3, label.Padding()->Top() + 5);
        QTest::mouseClick(&label, Qt::LeftButton, Qt::NoModifier, overLink);
        EXPECT_EQ(label.StorageItemIndex(), c.page);
        EXPECT_EQ(clicked, c.clicked);
    }
}

} // namespace
} // namespace lark
