#pragma once
// Helpers of the interaction tests: a parsed document with counters for the
// render object's change and input events, and a way to find a point on an
// item without knowing the layout.
#include "html/engine_fixture.h"

#include <lark/html/model/data.h>
#include <lark/html/model/items.h>
#include <lark/html/render.h>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace lark::test {

class InteractionTest : public EngineTest
{
protected:
    // Wide enough for every document here; only centred and right-aligned
    // lines depend on it.
    static constexpr QRect kArea{0, 0, 400, 200};

    void SetUp() override
    {
        Render.OnChange = [this](QObject*) { ++Changes; };
        Render.OnInputItemChecked = [this](QObject* sender, TLarkHTMLInputItem* item) {
            EXPECT_EQ(sender, &Render);
            CheckedEvents.push_back(item);
        };
    }

    std::vector<TLarkHTMLInputItem*> Inputs()
    {
        std::vector<TLarkHTMLInputItem*> inputs;
        for (TLarkHTMLItem* item : OfKind(hitInput))
            inputs.push_back(static_cast<TLarkHTMLInputItem*>(item));
        return inputs;
    }

    // The first document point (scanning rows from the top) where the hit
    // test finds item.
    std::optional<QPoint> PointOn(const TLarkHTMLItem& item)
    {
        const QSize size = Data().TextSize();
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x <= size.width(); ++x) {
                if (Render.GetItemAt(QPoint(x, y), QPoint(), kArea) == &item)
                    return QPoint(x, y);
            }
        }
        ADD_FAILURE() << "no point on the item in " << DumpItems(Data());
        return std::nullopt;
    }

    void ClickOn(const TLarkHTMLItem& item)
    {
        if (const std::optional<QPoint> p = PointOn(item))
            Render.ClickTransfer(p->x(), p->y(), kArea);
    }

    int Changes = 0;
    std::vector<TLarkHTMLInputItem*> CheckedEvents;
};

} // namespace lark::test
