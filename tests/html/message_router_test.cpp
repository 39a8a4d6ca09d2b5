// The message router on a live host: real key and mouse events reach the
// render object through its hook, and the host's own handling still runs.
#include "support/test_host.h"

#include <lark/html/model/data.h>
#include <lark/html/model/items.h>
#include <lark/html/render.h>

#include <QTest>
#include <gtest/gtest.h>

#include <map>
#include <vector>

using namespace lark;
using namespace Qt::StringLiterals;

namespace {

// Counts the events that reach the host's own handling.
class RecordingHost : public test::TestHost
{
public:
    std::map<QEvent::Type, int> Seen;

protected:
    bool event(QEvent* e) override
    {
        ++Seen[e->type()];
        return TestHost::event(e);
    }
};

class MessageRouter : public testing::Test
{
protected:
    void SetUp() override
    {
        Host.resize(300, 120);
        Host.setMouseTracking(true);
        Host.Render().OnChange = [this](QObject*) { ++Changes; };
    }

    // Lays out and paints html, so that the router knows where the
    // document is shown.
    void Show(const QString& html)
    {
        Host.SetHTML(html);
        Host.Grab();
        ASSERT_EQ(Host.Data().Rect(), Host.TextRect());
    }

    std::vector<TLarkHTMLInputItem*> Inputs()
    {
        std::vector<TLarkHTMLInputItem*> inputs;
        for (const auto& item : Host.Data().Items()) {
            if (auto* input = dynamic_cast<TLarkHTMLInputItem*>(item.get()))
                inputs.push_back(input);
        }
        return inputs;
    }

    // Where item appears in the host: a document point on it, moved by the
    // text rectangle's origin and the scroll position.
    QPoint ClientPointOn(const TLarkHTMLItem& item)
    {
        const QSize size = Host.Data().TextSize();
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x <= size.width(); ++x) {
                if (Host.Render().GetItemAt(QPoint(x, y), QPoint(), Host.TextRect()) == &item)
                    return QPoint(x, y) + Host.TextRect().topLeft() - Host.ScrollPos();
            }
        }
        ADD_FAILURE() << "item not found";
        return {};
    }

    RecordingHost Host;
    int Changes = 0;
};

TEST_F(MessageRouter, LeftClickTogglesCheckBoxAndHostStillHandlesIt)
{
    Show(u"text <input type=checkbox name=a>"_s);
    TLarkHTMLInputItem* box = Inputs().at(0);
    const QPoint at = ClientPointOn(*box);

    QTest::mouseClick(&Host, Qt::RightButton, {}, at);
    EXPECT_FALSE(box->Checked()) << "only the left button clicks";
    QTest::mouseClick(&Host, Qt::LeftButton, {}, at);
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(Host.Data().SelectedItem(), box);
    EXPECT_EQ(Host.Seen[QEvent::MouseButtonRelease], 2);
    EXPECT_EQ(Host.Seen[QEvent::MouseButtonPress], 2);
}

TEST_F(MessageRouter, ClickPositionsFollowPaddingAndScrolling)
{
    // The second line's box shown at the top of a host scrolled by the first
    // line; a one-pixel miss would hit the text run or nothing.
    Show(u"first line<br><input type=checkbox name=a width=3 height=3>"_s);
    Host.SetScrollPos(QPoint(0, Host.Data().Item(0)->FHeight));
    // Grabbing a hidden host lays it out again: take the items afterwards.
    Host.Grab();
    TLarkHTMLInputItem* box = Inputs().at(0);
    QTest::mouseClick(&Host, Qt::LeftButton, {}, ClientPointOn(*box));
    EXPECT_TRUE(box->Checked());
}

TEST_F(MessageRouter, MouseMovesTrackTheHoveredInput)
{
    Show(u"text <input type=checkbox name=a>"_s);
    TLarkHTMLInputItem* box = Inputs().at(0);
    const QPoint onBox = ClientPointOn(*box);
    QMouseEvent move(QEvent::MouseMove, onBox, Host.mapToGlobal(onBox), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&Host, &move);
    EXPECT_EQ(Host.Data().ActiveItem(), box);
    EXPECT_EQ(Changes, 1);
    // With a button held QTest sends the move itself.
    QTest::mousePress(&Host, Qt::LeftButton, {}, onBox);
    QTest::mouseMove(&Host, QPoint(Host.width() - 2, Host.height() - 2));
    QTest::mouseRelease(&Host, Qt::LeftButton, {}, QPoint(Host.width() - 2, Host.height() - 2));
    EXPECT_EQ(Host.Data().ActiveItem(), nullptr);
    EXPECT_EQ(Host.Seen[QEvent::MouseMove], 2);
}

TEST_F(MessageRouter, TabAndSpaceFromTheKeyboard)
{
    Show(u"<a href=x>link</a> <input type=checkbox name=a>"_s);
    const QList<TLarkHTMLItem*>& focusable = Host.Data().ControlsArray();
    ASSERT_EQ(focusable.size(), 2);

    QTest::keyClick(&Host, Qt::Key_Tab);
    EXPECT_EQ(Host.Data().SelectedItem(), focusable.at(0));
    QTest::keyClick(&Host, Qt::Key_Tab);
    EXPECT_EQ(Host.Data().SelectedItem(), focusable.at(1));
    QTest::keyClick(&Host, Qt::Key_Space);
    EXPECT_TRUE(Inputs().at(0)->Checked());
    // Shift+Tab arrives as Backtab with Shift held.
    QTest::keyClick(&Host, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(Host.Data().SelectedItem(), focusable.at(0));
    QTest::keyClick(&Host, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(Host.Data().SelectedItem(), focusable.at(0));
    // Five keys, and QTest presses Shift and Ctrl as keys of their own.
    EXPECT_EQ(Host.Seen[QEvent::KeyPress], 7);
}

TEST_F(MessageRouter, TabOntoEmbeddedControlGivesItTheFocus)
{
    Show(u"<a href=x>link</a> <control vclclass=TEdit name=edit>"_s);
    const QList<TLarkHTMLItem*>& focusable = Host.Data().ControlsArray();
    ASSERT_EQ(focusable.size(), 2);
    auto* item = dynamic_cast<TLarkHTMLControlItem*>(focusable.at(1));
    ASSERT_NE(item, nullptr);
    ASSERT_NE(item->Control(), nullptr);
    QTest::keyClick(&Host, Qt::Key_Tab);
    EXPECT_NE(Host.focusWidget(), item->Control()) << "a link is no widget to focus";
    QTest::keyClick(&Host, Qt::Key_Tab);
    EXPECT_EQ(Host.Data().SelectedItem(), item);
    EXPECT_EQ(Host.focusWidget(), item->Control());
}

} // namespace
