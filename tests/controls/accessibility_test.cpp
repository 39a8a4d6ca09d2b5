// What assistive technology sees of the HTML controls, through Qt's
// accessibility interfaces on real widgets (offscreen platform): the tree of
// a document's links and check boxes, its text by word and line, the press
// and toggle actions, focus events on Tab, rows of list boxes and delegate
// views as plain text, and interfaces that outlive their documents.
#include "lark/controls/accessible_html_p.h"
#include <lark/controls/accessible_text_model.h>
#include <lark/controls/html_list_box.h>
#include <lark/controls/item_delegate.h>
#include <lark/controls/label.h>
#include <lark/controls/panel.h>
#include <lark/controls/view.h>
#include <lark/html/model/data.h>
#include <lark/html/model/items.h>
#include <lark/html/render.h>

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QListView>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

#include <vector>

using namespace Qt::StringLiterals;

namespace lark {
namespace {

const QString kDocument = u"Read <a href=\"one\">the first link</a> or <a href=\"two\">the second</a> now.<br>"
                          u"<input type=checkbox name=agree> I agree<br>"
                          u"<input type=radio name=g checked=true> Yes <input type=radio name=g> No"_s;

struct Seen
{
    QAccessible::Event Type;
    QAccessible::Role Role;
    QString Name;
};

// Records the events the widgets announce while it lives. Qt hands events
// to an update handler only while a platform bridge is active, which the
// offscreen platform never is; the library's sink sees them regardless (the
// screen-reader test under tests/a11y sees them arrive over AT-SPI).
class EventLog
{
public:
    EventLog()
    {
        Current = this;
        detail::SetAccessibleEventSink(&EventLog::Handle);
    }
    ~EventLog()
    {
        detail::SetAccessibleEventSink(nullptr);
        Current = nullptr;
    }
    std::vector<Seen> Events;

    std::vector<Seen> OfType(QAccessible::Event type) const
    {
        std::vector<Seen> found;
        for (const Seen& s : Events) {
            if (s.Type == type)
                found.push_back(s);
        }
        return found;
    }

private:
    static void Handle(QAccessibleEvent* event)
    {
        QAccessibleInterface* iface = event->accessibleInterface();
        Seen seen{event->type(), QAccessible::NoRole, {}};
        if (iface) {
            seen.Role = iface->role();
            seen.Name = iface->text(QAccessible::Name);
        }
        Current->Events.push_back(seen);
    }
    static inline EventLog* Current = nullptr;
};

class AccessibilityTest : public testing::Test
{
protected:
    AccessibilityTest() { Form.resize(460, 200); }

    template <typename T> T* Make()
    {
        auto* w = new T(&Form);
        w->Font().SetName(u"DejaVu Sans"_s);
        w->setGeometry(5, 5, 440, 180);
        w->OnLinkClick = [this](QObject*, const QString& href) { Links << href; };
        w->SetCaption(kDocument);
        return w;
    }

    static QAccessibleInterface* Tree(QWidget* w) { return QAccessible::queryAccessibleInterface(w); }
    static QAccessibleActionInterface* Actions(QAccessibleInterface* i) { return i->actionInterface(); }

    QWidget Form;
    QStringList Links;
};

//---- The tree -------------------------------------------------------------------

TEST_F(AccessibilityTest, LabelListsLinksAndInputsInDocumentOrder)
{
    auto* label = Make<TLarkHTMLLabel>();
    QAccessibleInterface* tree = Tree(label);
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(tree->role(), QAccessible::StaticText);
    // A label is named by what it shows.
    EXPECT_TRUE(tree->text(QAccessible::Name).startsWith(u"Read the first link or the second now."_s));
    ASSERT_EQ(tree->childCount(), 5);

    struct Expected
    {
        QAccessible::Role Role;
        QString Name;
        QString Description;
        bool Checked;
        QString Action;
    };
    const Expected expected[] = {
        {QAccessible::Link, u"the first link"_s, u"one"_s, false, QAccessibleActionInterface::pressAction()},
        {QAccessible::Link, u"the second"_s, u"two"_s, false, QAccessibleActionInterface::pressAction()},
        {QAccessible::CheckBox, u"I agree"_s, {}, false, QAccessibleActionInterface::toggleAction()},
        {QAccessible::RadioButton, u"Yes"_s, {}, true, QAccessibleActionInterface::toggleAction()},
        {QAccessible::RadioButton, u"No"_s, {}, false, QAccessibleActionInterface::toggleAction()},
    };
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        QAccessibleInterface* child = tree->child(i);
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(child, tree->child(i)) << "children are made once";
        EXPECT_EQ(child->parent(), tree);
        EXPECT_EQ(tree->indexOfChild(child), i);
        EXPECT_EQ(child->role(), expected[i].Role);
        EXPECT_EQ(child->text(QAccessible::Name), expected[i].Name);
        EXPECT_EQ(child->text(QAccessible::Description), expected[i].Description);
        EXPECT_EQ(bool(child->state().checked), expected[i].Checked);
        EXPECT_EQ(bool(child->state().checkable), expected[i].Role != QAccessible::Link);
        ASSERT_NE(Actions(child), nullptr);
        EXPECT_EQ(Actions(child)->actionNames().value(0), expected[i].Action);
    }
}

TEST_F(AccessibilityTest, ViewAndPanelShowTheSameChildren)
{
    QWidget* const hosts[] = {Make<TLarkHTMLView>(), Make<TLarkHTMLPanel>()};
    for (QWidget* host : hosts) {
        SCOPED_TRACE(host->metaObject()->className());
        QAccessibleInterface* tree = Tree(host);
        ASSERT_NE(tree, nullptr);
        ASSERT_NE(tree->textInterface(), nullptr);
        // Scroll bars and other child widgets follow the document's children.
        ASSERT_GE(tree->childCount(), 5);
        EXPECT_EQ(tree->child(0)->role(), QAccessible::Link);
        EXPECT_EQ(tree->child(1)->text(QAccessible::Name), u"the second"_s);
        EXPECT_EQ(tree->child(2)->role(), QAccessible::CheckBox);
    }
    EXPECT_EQ(Tree(Form.findChild<TLarkHTMLView*>())->role(), QAccessible::Document);
    EXPECT_EQ(Tree(Form.findChild<TLarkHTMLPanel*>())->role(), QAccessible::Pane);
}

TEST_F(AccessibilityTest, EmbeddedWidgetsSitInTheirPlace)
{
    auto* view = Make<TLarkHTMLView>();
    view->SetCaption(u"<a href=\"a\">before</a> <control vclclass=\"TEdit\" width=60 height=20> "
                     u"<input type=checkbox name=c> after"_s);
    QAccessibleInterface* tree = Tree(view);
    ASSERT_GE(tree->childCount(), 3);
    EXPECT_EQ(tree->child(0)->role(), QAccessible::Link);
    QAccessibleInterface* edit = tree->child(1);
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(qobject_cast<QLineEdit*>(edit->object()));
    EXPECT_EQ(edit->role(), QAccessible::EditableText);
    EXPECT_EQ(tree->indexOfChild(edit), 1);
    EXPECT_EQ(tree->child(2)->role(), QAccessible::CheckBox);
}

//---- Text -------------------------------------------------------------------------

TEST_F(AccessibilityTest, TextReadsByWordAndLine)
{
    auto* label = Make<TLarkHTMLLabel>();
    QAccessibleTextInterface* text = Tree(label)->textInterface();
    ASSERT_NE(text, nullptr);
    const QString plain = label->PlainText();
    EXPECT_EQ(text->characterCount(), plain.size());
    EXPECT_EQ(text->text(0, text->characterCount()), plain);

    const int first = int(plain.indexOf(u"first"_s));
    struct Case
    {
        const char* What;
        QAccessible::TextBoundaryType Boundary;
        int Offset;
        QString (QAccessibleTextInterface::*Read)(int, QAccessible::TextBoundaryType, int*, int*) const;
        QString Expected;
    };
    const Case cases[] = {
        {"word at", QAccessible::WordBoundary, first + 2, &QAccessibleTextInterface::textAtOffset, u"first"_s},
        {"word after", QAccessible::WordBoundary, first + 2, &QAccessibleTextInterface::textAfterOffset, u" "_s},
        {"word before", QAccessible::WordBoundary, first, &QAccessibleTextInterface::textBeforeOffset, u" "_s},
        {"char at", QAccessible::CharBoundary, first, &QAccessibleTextInterface::textAtOffset, u"f"_s},
        {"line at", QAccessible::LineBoundary, first, &QAccessibleTextInterface::textAtOffset,
         u"Read the first link or the second now.\r\n"_s},
        {"line after", QAccessible::LineBoundary, first, &QAccessibleTextInterface::textAfterOffset,
         u" I agree\r\n"_s},
        {"line before", QAccessible::LineBoundary, int(plain.indexOf(u"Yes"_s)),
         &QAccessibleTextInterface::textBeforeOffset, u" I agree\r\n"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        int start = -1;
        int end = -1;
        const QString got = (text->*c.Read)(c.Offset, c.Boundary, &start, &end);
        EXPECT_EQ(got, c.Expected);
        EXPECT_EQ(plain.mid(start, end - start), got) << "offsets name the text returned";
    }
    int start = -1;
    int end = -1;
    EXPECT_EQ(text->textAfterOffset(plain.size() - 1, QAccessible::LineBoundary, &start, &end), QString())
        << "nothing follows the last line";
    EXPECT_EQ(text->textAtOffset(plain.size() + 5, QAccessible::WordBoundary, &start, &end), QString());
    EXPECT_EQ(start, -1);
}

TEST_F(AccessibilityTest, CharacterRectsFollowTheText)
{
    auto* label = Make<TLarkHTMLLabel>();
    Form.show();
    label->grab();
    QAccessibleTextInterface* text = Tree(label)->textInterface();
    const QRect shown(label->mapToGlobal(QPoint(0, 0)), label->size());
    const QRect r0 = text->characterRect(0);
    const QRect r1 = text->characterRect(1);
    ASSERT_FALSE(r0.isEmpty());
    EXPECT_TRUE(shown.contains(r0));
    EXPECT_EQ(r1.left(), r0.right() + 1);
    EXPECT_EQ(text->offsetAtPoint(r1.center()), 1);
    EXPECT_EQ(text->offsetAtPoint(shown.bottomRight() + QPoint(50, 50)), -1);
}

TEST_F(AccessibilityTest, CaretAndSelectionFollowTheHost)
{
    auto* view = Make<TLarkHTMLView>();
    QAccessibleTextInterface* text = Tree(view)->textInterface();
    const int link = int(view->Render()->AsText().indexOf(u"the second"_s));
    text->setCursorPosition(link + 3);
    const TLarkHTMLItem* selected = view->Render()->Data()->SelectedItem();
    ASSERT_NE(selected, nullptr) << "the caret on a link selects it, as Tab does";
    EXPECT_EQ(selected->LinkRef(), u"two"_s);
    EXPECT_EQ(text->cursorPosition(), link);
    text->setCursorPosition(0);
    EXPECT_EQ(view->Render()->Data()->SelectedItem(), nullptr);
    EXPECT_EQ(text->cursorPosition(), 0);

    // Selections exist only where text selection is on.
    text->setSelection(0, 0, 4);
    EXPECT_EQ(text->selectionCount(), 0);
    view->SetTextSelection(true);
    text->setSelection(0, 0, 4);
    ASSERT_EQ(text->selectionCount(), 1);
    EXPECT_EQ(view->SelectedText(), u"Read"_s);
    int start = -1;
    int end = -1;
    text->selection(0, &start, &end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 4);
    text->removeSelection(0);
    EXPECT_TRUE(view->SelectedRange().IsEmpty());
}

//---- Actions -----------------------------------------------------------------------

TEST_F(AccessibilityTest, PressFollowsALinkAndToggleChangesAnInput)
{
    auto* label = Make<TLarkHTMLLabel>();
    QAccessibleInterface* tree = Tree(label);
    Actions(tree->child(1))->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(Links, QStringList{u"two"_s});

    EventLog log;
    QAccessibleInterface* box = tree->child(2);
    Actions(box)->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(box->state().checked);
    auto* input = dynamic_cast<TLarkHTMLInputItem*>(label->Render()->FindInputItemByName(u"agree"_s, nullptr));
    ASSERT_NE(input, nullptr);
    EXPECT_TRUE(input->Checked());
    ASSERT_EQ(log.OfType(QAccessible::StateChanged).size(), 1u);
    EXPECT_EQ(log.OfType(QAccessible::StateChanged)[0].Name, u"I agree"_s);

    // The radio group holds: checking "No" unchecks "Yes".
    Actions(tree->child(4))->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(tree->child(4)->state().checked);
    EXPECT_FALSE(tree->child(3)->state().checked);
    EXPECT_EQ(log.OfType(QAccessible::StateChanged).size(), 3u);
}

TEST_F(AccessibilityTest, PressOnAStorageLinkSwitchesThePage)
{
    auto* view = Make<TLarkHTMLView>();
    TLarkHTMLStorage storage;
    storage.Items()->Add()->Lines().Add(u"<a href=\"second\">go on</a>"_s);
    auto* page = storage.Items()->Add();
    page->SetName(u"second"_s);
    page->Lines().Add(u"Arrived <a href=\"x\">x</a>"_s);
    view->SetStorage(&storage);
    QAccessibleInterface* tree = Tree(view);
    QAccessibleInterface* link = tree->child(0);
    ASSERT_EQ(link->text(QAccessible::Name), u"go on"_s);
    Actions(link)->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(view->StorageItemIndex(), 1);
    // The old child stands for nothing now; the new page has its own.
    EXPECT_FALSE(link->isValid());
    EXPECT_EQ(tree->child(0)->text(QAccessible::Name), u"x"_s);
    view->SetStorage(nullptr);
}

//---- Focus --------------------------------------------------------------------------

TEST_F(AccessibilityTest, TabAnnouncesTheFocusedChild)
{
    auto* view = Make<TLarkHTMLView>();
    Form.show();
    QApplication::setActiveWindow(&Form);
    view->setFocus();
    ASSERT_TRUE(view->hasFocus());
    QAccessibleInterface* tree = Tree(view);

    EventLog log;
    const struct
    {
        Qt::Key Key;
        QAccessible::Role Role;
        QString Name;
    } steps[] = {
        {Qt::Key_Tab, QAccessible::Link, u"the first link"_s},
        {Qt::Key_Tab, QAccessible::Link, u"the second"_s},
        {Qt::Key_Tab, QAccessible::CheckBox, u"I agree"_s},
        {Qt::Key_Backtab, QAccessible::Link, u"the second"_s},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.Name.toStdString());
        log.Events.clear();
        QTest::keyClick(view, step.Key);
        const std::vector<Seen> focus = log.OfType(QAccessible::Focus);
        ASSERT_EQ(focus.size(), 1u);
        EXPECT_EQ(focus[0].Role, step.Role);
        EXPECT_EQ(focus[0].Name, step.Name);
    }
    EXPECT_TRUE(tree->child(1)->state().focused);
    EXPECT_FALSE(tree->child(0)->state().focused);
}

//---- Lifetime -------------------------------------------------------------------------

TEST_F(AccessibilityTest, ChildrenOutliveNeitherTheirDocumentNorTheirHost)
{
    auto* label = Make<TLarkHTMLLabel>();
    QAccessibleInterface* tree = Tree(label);
    QAccessibleInterface* link = tree->child(0);
    const QAccessible::Id linkId = QAccessible::uniqueId(link);
    label->SetCaption(QString());
    EXPECT_EQ(tree->childCount(), 0);
    EXPECT_EQ(QAccessible::accessibleInterface(linkId), nullptr) << "a new listing frees the old children";
    EXPECT_EQ(tree->textInterface()->characterCount(), 0);
    int start = 0;
    int end = 0;
    EXPECT_EQ(tree->textInterface()->textAtOffset(0, QAccessible::LineBoundary, &start, &end), QString());

    label->SetCaption(kDocument);
    const QAccessible::Id treeId = QAccessible::uniqueId(tree);
    const QAccessible::Id childId = QAccessible::uniqueId(tree->child(2));
    delete label;
    EXPECT_EQ(QAccessible::accessibleInterface(treeId), nullptr);
    EXPECT_EQ(QAccessible::accessibleInterface(childId), nullptr);
}

TEST_F(AccessibilityTest, PlainLabelTextIsItsCaption)
{
    auto* label = Make<TLarkHTMLLabel>();
    label->SetIsHTML(false);
    QAccessibleInterface* tree = Tree(label);
    EXPECT_EQ(tree->childCount(), 0);
    EXPECT_EQ(tree->textInterface()->text(0, -1), kDocument);
}

//---- Rows ----------------------------------------------------------------------------

TEST_F(AccessibilityTest, ListBoxRowsReadAsPlainText)
{
    auto* list = new TLarkHTMLListBox(&Form);
    list->setGeometry(5, 5, 300, 150);
    list->Items().Add(u"<b>Bold</b> row &amp; <a href=\"x\">link</a>"_s);
    list->Items().Add(u"second"_s);
    Form.show();
    QAccessibleInterface* tree = Tree(list);
    ASSERT_NE(tree, nullptr);
    ASSERT_GE(tree->childCount(), 2);
    EXPECT_EQ(tree->child(0)->text(QAccessible::Name), u"Bold row & link"_s);
    EXPECT_EQ(tree->child(1)->text(QAccessible::Name), u"second"_s);
}

TEST_F(AccessibilityTest, DelegateViewsReadPlainTextThroughTheProxy)
{
    QStandardItemModel model(2, 1);
    model.setData(model.index(0, 0), u"<i>Tea</i> &amp; cake"_s);
    model.setData(model.index(1, 0), u"Own <b>text</b>"_s);
    model.setData(model.index(1, 0), u"spoken"_s, Qt::AccessibleTextRole);
    auto* proxy = new TLarkHTMLAccessibleTextModel(&Form);
    proxy->setSourceModel(&model);
    auto* view = new QTableView(&Form);
    view->setModel(proxy);
    view->setItemDelegate(new TLarkHTMLItemDelegate(view));
    Form.show();
    EXPECT_EQ(proxy->index(0, 0).data(Qt::AccessibleTextRole).toString(), u"Tea & cake"_s);
    EXPECT_EQ(proxy->index(1, 0).data(Qt::AccessibleTextRole).toString(), u"spoken"_s);
    EXPECT_EQ(proxy->index(0, 0).data(Qt::DisplayRole).toString(), u"<i>Tea</i> &amp; cake"_s);
    auto* table = Tree(view)->tableInterface();
    ASSERT_NE(table, nullptr);
    QAccessibleInterface* cell = table->cellAt(0, 0);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->text(QAccessible::Name), u"Tea & cake"_s);
    EXPECT_EQ(TLarkHTMLAccessibleTextModel::PlainText(u"<control vclclass=\"TEdit\"> a &lt; b"_s), u" a < b"_s);
    EXPECT_TRUE(Form.findChildren<QLineEdit*>().isEmpty()) << "reading text makes no widgets";
}

} // namespace
} // namespace lark
