// Image lists: adding and drawing images, change links and their lifetime.
#include <lark/framework/canvas.h>
#include <lark/framework/exceptions.h>
#include <lark/framework/image_list.h>
#include <lark/framework/picture.h>

#include "support/image_checks.h"

#include <gtest/gtest.h>

#include <memory>

using namespace lark;
using lark::test::RegionIs;

namespace {

QImage Filled(int width, int height, QColor color)
{
    return test::Filled(width, height, color, QImage::Format_ARGB32);
}

// A strip of three 4x4 images: red, green, blue.
QImage Strip()
{
    QImage strip(12, 4, QImage::Format_RGB32);
    const QColor colors[] = { Qt::red, Qt::green, Qt::blue };
    for (int i = 0; i < 3; ++i)
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                strip.setPixelColor(i * 4 + x, y, colors[i]);
    return strip;
}

TEST(ImageList, AddCutsAStripIntoEqualImages)
{
    TCustomImageList list(4, 4);
    EXPECT_EQ(list.Add(Strip()), 0);
    EXPECT_EQ(list.Add(Filled(2, 2, Qt::yellow)), 3); // one padded image
    EXPECT_EQ(list.Add(QImage()), -1);
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list.GetImage(1).size(), QSize(4, 4));
    EXPECT_EQ(list.GetImage(1).toImage().pixelColor(3, 3), QColor(Qt::green));
    const QImage padded = list.GetImage(3).toImage();
    EXPECT_EQ(padded.pixelColor(1, 1), QColor(Qt::yellow));
    EXPECT_EQ(padded.pixelColor(3, 3).alpha(), 0);
    EXPECT_TRUE(list.GetImage(4).isNull());
    EXPECT_TRUE(list.GetImage(-1).isNull());
}

TEST(ImageList, DrawsByIndexAndIgnoresBadIndexes)
{
    TCustomImageList list(4, 4);
    list.Add(Strip());
    QImage target(20, 10, QImage::Format_RGB32);
    target.fill(Qt::white);
    {
        TCanvas canvas(&target);
        list.Draw(canvas, 2, 3, 2);
        list.Draw(canvas, 10, 3, 7);
        list.Draw(canvas, 10, 3, -1);
        list.Draw(canvas, 14, 3, 0, false);
    }
    EXPECT_TRUE(RegionIs(target, QRect(2, 3, 4, 4), Qt::blue));
    EXPECT_TRUE(RegionIs(target, QRect(8, 0, 6, 10), Qt::white));
    // Disabled: grey and faded, no longer red.
    const QColor greyed = target.pixelColor(15, 4);
    EXPECT_EQ(greyed.red(), greyed.green());
    EXPECT_NE(greyed, QColor(Qt::white));

    TBitmap bitmap;
    EXPECT_TRUE(list.GetBitmap(1, bitmap));
    EXPECT_EQ(bitmap.Width(), 4);
    EXPECT_EQ(bitmap.Image().pixelColor(0, 0), QColor(Qt::green));
    EXPECT_FALSE(list.GetBitmap(3, bitmap));
    EXPECT_EQ(bitmap.Image().pixelColor(0, 0), QColor(Qt::green));
}

TEST(ImageList, AddMaskedMakesTheMaskColourTransparent)
{
    TCustomImageList list(4, 4);
    QImage image = Filled(4, 4, Qt::magenta);
    image.setPixelColor(1, 1, Qt::black);
    list.AddMasked(image, clFuchsia);
    const QImage stored = list.GetImage(0).toImage();
    EXPECT_EQ(stored.pixelColor(0, 0).alpha(), 0);
    EXPECT_EQ(stored.pixelColor(1, 1), QColor(Qt::black));
}

// A twice-sized strip gives twins piece by piece; a high-DPI canvas draws
// the twin at the plain image's logical size, a ratio-1 canvas the plain one.
TEST(ImageList, TwiceSizedTwinsFollowTheirImages)
{
    TCustomImageList list(4, 4);
    QImage twins(16, 8, QImage::Format_RGB32); // twins for the first two of three
    twins.fill(Qt::yellow);
    twins.setDevicePixelRatio(2); // as QImage reads "strip@2x.png": ignored for cutting
    EXPECT_EQ(list.Add(Strip(), twins), 0);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_TRUE(list.HasTwiceSized(0));
    EXPECT_TRUE(list.HasTwiceSized(1));
    EXPECT_FALSE(list.HasTwiceSized(2));
    EXPECT_FALSE(list.HasTwiceSized(3));

    const QPixmap twin = list.GetImage(1, 2.0);
    EXPECT_EQ(twin.size(), QSize(8, 8));
    EXPECT_EQ(twin.devicePixelRatio(), 2.0);
    EXPECT_EQ(twin.toImage().pixelColor(7, 7), QColor(Qt::yellow));
    EXPECT_EQ(list.GetImage(1).size(), QSize(4, 4));
    EXPECT_EQ(list.GetImage(1).toImage().pixelColor(0, 0), QColor(Qt::green));
    EXPECT_EQ(list.GetImage(2, 2.0).toImage().pixelColor(0, 0), QColor(Qt::blue)); // no twin

    QImage device(40, 20, QImage::Format_RGB32);
    device.setDevicePixelRatio(2);
    device.fill(Qt::white);
    {
        TCanvas canvas(&device);
        list.Draw(canvas, 1, 1, 0);
        list.Draw(canvas, 10, 1, 2);
    }
    EXPECT_TRUE(RegionIs(device, QRect(2, 2, 8, 8), Qt::yellow));
    EXPECT_TRUE(RegionIs(device, QRect(20, 2, 8, 8), Qt::blue));
    EXPECT_TRUE(RegionIs(device, QRect(10, 0, 10, 20), Qt::white));

    // Deleting and replacing keep each twin with its image.
    list.Delete(0);
    EXPECT_TRUE(list.HasTwiceSized(0));
    EXPECT_FALSE(list.HasTwiceSized(1));
    list.Replace(0, Filled(4, 4, Qt::red));
    EXPECT_FALSE(list.HasTwiceSized(0));
    list.Replace(1, Filled(4, 4, Qt::red), Filled(8, 8, Qt::cyan));
    EXPECT_EQ(list.GetImage(1, 1.5).toImage().pixelColor(0, 0), QColor(Qt::cyan));
    list.AddMasked(Filled(4, 4, Qt::magenta), clFuchsia, Filled(8, 8, Qt::magenta));
    EXPECT_EQ(list.GetImage(2, 2.0).toImage().pixelColor(3, 3).alpha(), 0);
    list.SetWidth(8);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_FALSE(list.HasTwiceSized(0));
}

TEST(ImageList, EveryChangeNotifiesTheLinks)
{
    TCustomImageList list(4, 4);
    TChangeLink first;
    TChangeLink second;
    int firstCount = 0;
    int secondCount = 0;
    int listCount = 0;
    QObject* sender = nullptr;
    first.OnChange = [&](QObject* s) {
        ++firstCount;
        sender = s;
    };
    second.OnChange = [&](QObject*) { ++secondCount; };
    list.OnChange = [&](QObject*) { ++listCount; };
    list.RegisterChanges(&first);
    list.RegisterChanges(&second);
    list.RegisterChanges(&first); // once only
    EXPECT_EQ(first.Sender(), &list);

    list.Add(Strip());
    list.Replace(0, Filled(4, 4, Qt::black));
    list.Delete(2);
    list.SetWidth(8); // a new size empties the list
    EXPECT_EQ(list.Count(), 0);
    list.SetWidth(8);  // unchanged: no notification
    list.Clear();
    EXPECT_EQ(firstCount, 5);
    EXPECT_EQ(secondCount, 5);
    EXPECT_EQ(listCount, 5);
    EXPECT_EQ(sender, &list);

    list.UnRegisterChanges(&second);
    EXPECT_EQ(second.Sender(), nullptr);
    list.Add(Strip());
    EXPECT_EQ(firstCount, 6);
    EXPECT_EQ(secondCount, 5);
    EXPECT_THROW(list.Delete(99), EInvalidOperation);
    EXPECT_THROW(list.Replace(-1, Strip()), EInvalidOperation);
}

TEST(ImageList, LinksAndListsFreeInEitherOrder)
{
    auto list = std::make_unique<TCustomImageList>(4, 4);
    auto link = std::make_unique<TChangeLink>();
    int changes = 0;
    link->OnChange = [&](QObject*) { ++changes; };
    list->RegisterChanges(link.get());
    link.reset(); // unregisters itself
    list->Add(Strip());
    EXPECT_EQ(changes, 0);

    link = std::make_unique<TChangeLink>();
    list->RegisterChanges(link.get());
    list.reset(); // the link forgets the list
    EXPECT_EQ(link->Sender(), nullptr);
    link.reset();

    // A link moves when registered with another list.
    TCustomImageList a;
    TCustomImageList b;
    TChangeLink moving;
    moving.OnChange = [&](QObject*) { ++changes; };
    a.RegisterChanges(&moving);
    b.RegisterChanges(&moving);
    a.Clear();
    EXPECT_EQ(changes, 0);
    b.Clear();
    EXPECT_EQ(changes, 1);
}

TEST(ImageList, AHandlerMayUnregisterLinks)
{
    TCustomImageList list(4, 4);
    auto later = std::make_unique<TChangeLink>();
    TChangeLink first;
    int laterCount = 0;
    first.OnChange = [&](QObject*) { later.reset(); };
    later->OnChange = [&](QObject*) { ++laterCount; };
    list.RegisterChanges(&first);
    list.RegisterChanges(later.get());
    list.Clear();
    EXPECT_EQ(laterCount, 0);
    EXPECT_EQ(later, nullptr);
}

} // namespace
