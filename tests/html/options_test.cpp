// TLarkHTMLOptions: defaults, when it notifies, the update bracket, Assign,
// and the property defaults a form file relies on.

#include <lark/framework/exceptions.h>
#include <lark/html/host/options.h>

#include <QMetaProperty>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <functional>

using namespace lark;

namespace {

// Options with a notification counter on both channels.
class OptionsTest : public testing::Test
{
protected:
    OptionsTest()
    {
        options.OnChange = [this](QObject* sender) {
            EXPECT_EQ(sender, &options);
            ++notified;
        };
    }

    QObject owner;
    TLarkHTMLOptions options{&owner};
    int notified = 0;
};

TEST_F(OptionsTest, Defaults)
{
    EXPECT_EQ(options.Owner(), &owner);
    EXPECT_EQ(options.LinkColor(), clBlue);
    EXPECT_EQ(options.LinkColor(), 0x00FF0000u);
    EXPECT_EQ(options.LineGap(), 0);
    EXPECT_EQ(options.LinkStyle().ToInt(), 4);
    EXPECT_FALSE(options.IsUpdating());
    EXPECT_TRUE(options.GetSetStr().isEmpty());
}

// One row per property: setting the current value is silent, a new value
// notifies exactly once.
struct SetterCase
{
    const char* name;
    std::function<void(TLarkHTMLOptions&)> setCurrent;
    std::function<void(TLarkHTMLOptions&)> setOther;
    std::function<bool(const TLarkHTMLOptions&)> hasOther;
};

const SetterCase kSetterCases[] = {
    {"LinkColor", [](auto& o) { o.SetLinkColor(clBlue); }, [](auto& o) { o.SetLinkColor(clRed); },
     [](const auto& o) { return o.LinkColor() == clRed; }},
    {"LineGap", [](auto& o) { o.SetLineGap(0); }, [](auto& o) { o.SetLineGap(3); },
     [](const auto& o) { return o.LineGap() == 3; }},
    {"LinkStyle", [](auto& o) { o.SetLinkStyle({fsUnderline}); }, [](auto& o) { o.SetLinkStyle({fsBold}); },
     [](const auto& o) { return o.LinkStyle() == TFontStyles{fsBold}; }},
};

TEST_F(OptionsTest, SetterNotifiesOnlyOnChange)
{
    QSignalSpy spy(&options, &TLarkHTMLOptions::changed);
    for (const SetterCase& row : kSetterCases)
    {
        SCOPED_TRACE(row.name);
        notified = 0;
        spy.clear();
        row.setCurrent(options);
        EXPECT_EQ(notified, 0);
        row.setOther(options);
        EXPECT_TRUE(row.hasOther(options));
        EXPECT_EQ(notified, 1);
        EXPECT_EQ(spy.count(), 1);
    }
}

TEST_F(OptionsTest, BracketClosedWithFalseStaysSilent)
{
    options.BeginUpdate();
    for (const SetterCase& row : kSetterCases)
        row.setOther(options);
    EXPECT_TRUE(options.IsUpdating());
    options.EndUpdate(false);

    EXPECT_EQ(notified, 0);
    EXPECT_FALSE(options.IsUpdating());
    for (const SetterCase& row : kSetterCases)
        EXPECT_TRUE(row.hasOther(options)) << row.name;
}

TEST_F(OptionsTest, BracketClosedWithTrueNotifiesOnce)
{
    options.BeginUpdate();
    for (const SetterCase& row : kSetterCases)
        row.setOther(options);
    options.EndUpdate(true);
    EXPECT_EQ(notified, 1);
}

// The bracket is a flag: a second BeginUpdate does not need a second EndUpdate.
TEST_F(OptionsTest, BracketIsAFlagNotACounter)
{
    options.BeginUpdate();
    options.BeginUpdate();
    options.EndUpdate(false);
    EXPECT_FALSE(options.IsUpdating());
    options.SetLineGap(5);
    EXPECT_EQ(notified, 1);
}

TEST_F(OptionsTest, AssignCopiesAllAndNotifiesOnce)
{
    TLarkHTMLOptions source;
    source.SetLinkColor(clRed);
    source.SetLineGap(7);
    source.SetLinkStyle({fsBold, fsItalic});

    options.Assign(&source);

    EXPECT_EQ(options.LinkColor(), clRed);
    EXPECT_EQ(options.LineGap(), 7);
    EXPECT_EQ(options.LinkStyle(), (TFontStyles{fsBold, fsItalic}));
    EXPECT_EQ(notified, 1);
    EXPECT_EQ(options.Owner(), &owner);   // the owner is never copied
}

TEST_F(OptionsTest, AssignInsideBracketIsSilent)
{
    TLarkHTMLOptions source;
    source.SetLineGap(7);
    options.BeginUpdate();
    options.Assign(&source);
    EXPECT_EQ(options.LineGap(), 7);
    EXPECT_EQ(notified, 0);
}

TEST_F(OptionsTest, AssignToItselfDoesNothing)
{
    options.Assign(&options);
    EXPECT_EQ(notified, 0);
}

TEST_F(OptionsTest, AssignFromAnotherClassFailsUnchanged)
{
    QObject stranger;
    for (const QObject* source : {&stranger, static_cast<QObject*>(nullptr)})
    {
        SCOPED_TRACE(source ? "QObject" : "nil");
        try
        {
            options.Assign(source);
            ADD_FAILURE() << "no exception";
        }
        catch (const EConvertError& e)
        {
            EXPECT_EQ(e.Message(), QStringLiteral("Cannot assign a %1 to a TLarkHTMLOptions")
                                       .arg(source ? QStringLiteral("QObject") : QStringLiteral("nil")));
        }
    }
    EXPECT_EQ(options.LinkColor(), clBlue);
    EXPECT_EQ(notified, 0);
}

// A form file writes a property only when it differs from its default, and
// resetting it in a designer brings the default back.
TEST_F(OptionsTest, PropertiesStoredOnlyAwayFromDefault)
{
    const QMetaObject* meta = options.metaObject();
    for (const char* name : {"LinkColor", "LineGap", "LinkStyle"})
    {
        SCOPED_TRACE(name);
        const QMetaProperty property = meta->property(meta->indexOfProperty(name));
        ASSERT_TRUE(property.isValid());
        EXPECT_TRUE(property.isResettable());
    }
    EXPECT_FALSE(options.IsLinkColorStored());
    EXPECT_FALSE(options.IsLineGapStored());
    EXPECT_FALSE(options.IsLinkStyleStored());
    const auto linkStyle = meta->property(meta->indexOfProperty("LinkStyle"));
    ASSERT_TRUE(linkStyle.isFlagType());
    EXPECT_TRUE(linkStyle.write(&options, QVariant::fromValue(TLarkHTMLOptions::lsBold | TLarkHTMLOptions::lsUnderline)));
    EXPECT_EQ(options.LinkStyle(), (TFontStyles{fsBold, fsUnderline}));
    EXPECT_TRUE(options.IsLinkStyleStored());

    EXPECT_TRUE(meta->property(meta->indexOfProperty("LinkColor")).write(&options, QVariant::fromValue(clRed)));
    EXPECT_EQ(options.LinkColor(), clRed);
    EXPECT_TRUE(options.IsLinkColorStored());
    options.ResetLinkColor();
    options.ResetLinkStyle();
    EXPECT_FALSE(options.IsLinkColorStored());
    EXPECT_FALSE(options.IsLinkStyleStored());
}

} // namespace
