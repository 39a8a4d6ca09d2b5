// Change links: registration rules and either side being destroyed first,
// also from inside a notification. The sanitizer build catches any pointer
// left dangling here.
#include "storage/storage_test_support.h"

#include <lark/storage/storage.h>

#include <gtest/gtest.h>

#include <memory>

using namespace lark;
using namespace lark::test;

namespace {

// A link that counts its notifications.
struct CountingLink
{
    CountingLink()
    {
        link.OnChange = [this](QObject*) { ++count; };
    }
    TLarkHTMLStorageChangeLink link;
    int count = 0;
};

void Touch(TLarkHTMLStorage& storage)
{
    storage.Items()->Add();
}

} // namespace

TEST(ChangeLink, DoubleRegistrationIsToldTwiceAndUnregisteredOneAtATime)
{
    TLarkHTMLStorage storage;
    CountingLink client;
    storage.RegisterChanges(&client.link);
    storage.RegisterChanges(&client.link);
    EXPECT_EQ(client.link.Sender(), &storage);
    Touch(storage);
    EXPECT_EQ(client.count, 2);

    storage.UnRegisterChanges(&client.link);
    EXPECT_EQ(client.link.Sender(), &storage); // one registration remains
    Touch(storage);
    EXPECT_EQ(client.count, 3);

    storage.UnRegisterChanges(&client.link);
    EXPECT_EQ(client.link.Sender(), nullptr);
    Touch(storage);
    EXPECT_EQ(client.count, 3);
}

TEST(ChangeLink, UnregisteringAStrangerIsIgnored)
{
    TLarkHTMLStorage mine;
    TLarkHTMLStorage other;
    CountingLink client;
    mine.RegisterChanges(&client.link);
    other.UnRegisterChanges(&client.link);
    other.UnRegisterChanges(nullptr);
    mine.RegisterChanges(nullptr);
    EXPECT_EQ(client.link.Sender(), &mine);
    Touch(mine);
    EXPECT_EQ(client.count, 1);
}

TEST(ChangeLink, RegisteringWithAnotherStorageMovesTheLink)
{
    TLarkHTMLStorage first;
    TLarkHTMLStorage second;
    {
        CountingLink client;
        first.RegisterChanges(&client.link);
        first.RegisterChanges(&client.link);
        second.RegisterChanges(&client.link);
        EXPECT_EQ(client.link.Sender(), &second);
        Touch(first);
        EXPECT_EQ(client.count, 0);
        Touch(second);
        EXPECT_EQ(client.count, 1);
    }
    Touch(first); // would call the destroyed link if it had stayed there
    Touch(second);
}

TEST(ChangeLink, DestroyingTheStorageFirstClearsEverySender)
{
    auto storage = std::make_unique<TLarkHTMLStorage>();
    TLarkHTMLStorage* dying = storage.get(); // reset() clears storage before deleting
    TLarkHTMLStorageChangeLink a;
    TLarkHTMLStorageChangeLink b;
    QStringList told;
    int countSeen = -1;
    a.OnSenderDestroying = [&](QObject* sender) {
        told << "a";
        EXPECT_EQ(sender, dying);
        EXPECT_EQ(a.Sender(), nullptr);
        // The storage is still whole here, and may be asked or unregistered from.
        countSeen = dying->Count();
        dying->UnRegisterChanges(&a);
    };
    b.OnSenderDestroying = [&](QObject*) { told << "b"; };
    storage->RegisterChanges(&a);
    storage->RegisterChanges(&b);
    storage->RegisterChanges(&a);
    Touch(*storage);

    storage.reset();

    EXPECT_EQ(a.Sender(), nullptr);
    EXPECT_EQ(b.Sender(), nullptr);
    EXPECT_EQ(told, QStringList({ "a", "b" })); // last registered first, each once
    EXPECT_EQ(countSeen, 1);
}

TEST(ChangeLink, DestroyingALinkFirstRemovesEveryRegistration)
{
    TLarkHTMLStorage storage;
    CountingLink survivor;
    auto doomed = std::make_unique<CountingLink>();
    storage.RegisterChanges(&doomed->link);
    storage.RegisterChanges(&survivor.link);
    storage.RegisterChanges(&doomed->link);
    doomed.reset();
    Touch(storage);
    EXPECT_EQ(survivor.count, 1);
}

TEST(ChangeLink, HandlerMayDestroyAnotherLink)
{
    TLarkHTMLStorage storage;
    auto later = std::make_unique<CountingLink>();
    TLarkHTMLStorageChangeLink first;
    first.OnChange = [&](QObject*) { later.reset(); };
    storage.RegisterChanges(&first);
    storage.RegisterChanges(&later->link);
    CountingLink last;
    storage.RegisterChanges(&last.link);

    Touch(storage);

    EXPECT_EQ(later, nullptr);
    EXPECT_EQ(last.count, 1);
}

TEST(ChangeLink, HandlerMayDestroyTheStorage)
{
    auto* storage = new TLarkHTMLStorage;
    TLarkHTMLStorageChangeLink killer;
    killer.OnChange = [&](QObject*) { delete storage; };
    CountingLink after;
    int ownChanges = 0;
    storage->OnChange = [&](QObject*) { ++ownChanges; };
    storage->RegisterChanges(&killer);
    storage->RegisterChanges(&after.link);

    Touch(*storage);

    EXPECT_EQ(after.count, 0);
    EXPECT_EQ(ownChanges, 0);
    EXPECT_EQ(killer.Sender(), nullptr);
    EXPECT_EQ(after.link.Sender(), nullptr);
}
