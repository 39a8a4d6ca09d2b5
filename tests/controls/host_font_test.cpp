// The document font of every HTML control follows Qt's font propagation,
// and the document's own TFont keeps working, on real widgets.
#include <lark/controls/label.h>
#include <lark/controls/panel.h>
#include <lark/controls/view.h>
#include <lark/html/model/data.h>
#include <lark/html/render.h>

#include <QFont>
#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;

namespace lark {
namespace {

struct HostKind
{
    const char* name;
    std::function<QWidget*(QWidget* parent)> make;
};

const HostKind kHosts[] = {
    {"Label", [](QWidget* parent) -> QWidget* { return new TLarkHTMLLabel(parent); }},
    {"View", [](QWidget* parent) -> QWidget* { return new TLarkHTMLView(parent); }},
    {"Panel", [](QWidget* parent) -> QWidget* { return new TLarkHTMLPanel(parent); }},
};

QFont PixelFont(const QString& family, int pixels, bool bold = false)
{
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

class HostFontTest : public testing::TestWithParam<HostKind>
{
protected:
    HostFontTest()
    {
        Form.resize(300, 200);
        Form.show();
        Create();
    }

    void Create()
    {
        Widget = GetParam().make(&Form);
        Host = dynamic_cast<TLarkHTMLHostBase*>(Widget);
        Widget->setGeometry(0, 0, 200, 100);
        Widget->show();
        Host->OnTagFound = [this](QObject*, QString&, TLarkHTMLItem*&, TStringList*&, bool, bool) { ++Tags; };
        Host->SetCaption(u"<b>x</b>"_s);
    }

    // The font the document was last laid out with.
    QString DocumentFace() const { return Host->Render()->Data()->DefaultFont(); }
    int DocumentHeight() const { return Host->Render()->Data()->DefaultHeight(); }

    QWidget Form;
    QWidget* Widget = nullptr; // owned by Form
    TLarkHTMLHostBase* Host = nullptr;
    int Tags = 0;
};

TEST_P(HostFontTest, WithoutAChosenFontTheDocumentKeepsItsDefault)
{
    EXPECT_TRUE(Host->ParentFont());
    EXPECT_EQ(Host->Font().Name(), u"MS Sans Serif"_s);
    EXPECT_EQ(Host->Font().Height(), -11);
    EXPECT_EQ(DocumentHeight(), -11);
}

TEST_P(HostFontTest, ParentFontReachesTheDocument)
{
    Form.setFont(PixelFont(u"DejaVu Serif"_s, 20, true));
    EXPECT_TRUE(Host->ParentFont());
    EXPECT_EQ(Host->Font().Name(), u"DejaVu Serif"_s);
    EXPECT_EQ(Host->Font().Height(), -20);
    EXPECT_TRUE(Host->Font().Style().Contains(fsBold));
    EXPECT_EQ(DocumentFace(), u"DejaVu Serif"_s);
    EXPECT_EQ(DocumentHeight(), -20);
    // A point size converts through the screen's resolution.
    QFont points(u"DejaVu Sans"_s);
    points.setPointSize(12);
    Form.setFont(points);
    EXPECT_EQ(Host->Font().Height(), -(12 * Host->Font().PixelsPerInch() + 36) / 72);
    // The parent going back to the application's font restores the default.
    Form.setFont(QFont());
    EXPECT_EQ(Host->Font().Name(), u"MS Sans Serif"_s);
    EXPECT_EQ(DocumentHeight(), -11);
}

TEST_P(HostFontTest, HostCreatedUnderAFontedParentTakesItsFont)
{
    delete Widget;
    Form.setFont(PixelFont(u"Liberation Serif"_s, 17));
    Create();
    EXPECT_EQ(Host->Font().Name(), u"Liberation Serif"_s);
    EXPECT_EQ(DocumentHeight(), -17);
}

TEST_P(HostFontTest, SetFontOnTheWidgetChangesTheDocumentAndStopsFollowing)
{
    Host->Font().SetColor(clRed);
    Widget->setFont(PixelFont(u"Liberation Serif"_s, 16));
    EXPECT_FALSE(Host->ParentFont());
    EXPECT_EQ(Host->Font().Name(), u"Liberation Serif"_s);
    EXPECT_EQ(DocumentHeight(), -16);
    // Qt fonts carry no colour: the document keeps its own.
    EXPECT_EQ(Host->Font().Color(), clRed);
    Form.setFont(PixelFont(u"DejaVu Serif"_s, 20));
    EXPECT_EQ(Host->Font().Name(), u"Liberation Serif"_s);
    // Following the parent again takes the parent's font at once.
    Host->SetParentFont(true);
    EXPECT_TRUE(Host->ParentFont());
    EXPECT_EQ(Host->Font().Name(), u"DejaVu Serif"_s);
    EXPECT_EQ(DocumentHeight(), -20);
}

// One change, one parse: the copy to the widget's font does not come back.
TEST_P(HostFontTest, DocumentFontChangesBecomeTheWidgetsOwnFont)
{
    Tags = 0;
    Host->Font().SetHeight(-18);
    EXPECT_EQ(Tags, 2); // <b> and </b>, once
    EXPECT_FALSE(Host->ParentFont());
    EXPECT_EQ(Widget->font().pixelSize(), 18);
    EXPECT_EQ(Widget->font().family(), Host->Font().Name());
    EXPECT_EQ(Host->Font().Height(), -18);
    // The parent no longer reaches it.
    Form.setFont(PixelFont(u"DejaVu Serif"_s, 20));
    EXPECT_EQ(Host->Font().Height(), -18);
    // Turning ParentFont off by hand keeps the font as it is.
    Host->SetParentFont(true);
    Host->Font().SetName(u"DejaVu Sans"_s);
    Host->SetParentFont(true);
    Host->SetParentFont(false);
    EXPECT_EQ(Host->Font().Name(), u"DejaVu Serif"_s);
    Form.setFont(PixelFont(u"Liberation Sans"_s, 14));
    EXPECT_EQ(Host->Font().Name(), u"DejaVu Serif"_s);
}

INSTANTIATE_TEST_SUITE_P(Hosts, HostFontTest, testing::ValuesIn(kHosts),
                         [](const auto& info) { return std::string(info.param.name); });

// A panel's document font reaches the documents of the controls on it.
TEST(PanelFont, PanelFontReachesTheHostsOnIt)
{
    TLarkHTMLPanel panel;
    panel.resize(300, 200);
    auto* label = new TLarkHTMLLabel(&panel);
    auto* view = new TLarkHTMLView(&panel);
    panel.Font().SetName(u"DejaVu Serif"_s);
    panel.Font().SetHeight(-15);
    for (TLarkHTMLHostBase* host : {static_cast<TLarkHTMLHostBase*>(label), static_cast<TLarkHTMLHostBase*>(view)}) {
        EXPECT_EQ(host->Font().Name(), u"DejaVu Serif"_s);
        EXPECT_EQ(host->Font().Height(), -15);
        EXPECT_TRUE(host->ParentFont());
    }
}

} // namespace
} // namespace lark
