#pragma once
// Internal: a data link that hands every change to one callback, for the
// navigator and the grid, which redraw from the dataset's state whatever
// changed.

#include <lark/db/data_link.h>

#include <functional>
#include <utility>

namespace lark::detail {

class TCallbackDataLink final : public TDataLink
{
public:
    explicit TCallbackDataLink(std::function<void()> aChanged)
        : FChanged(std::move(aChanged))
    {
    }
    ~TCallbackDataLink() override { FChanged = nullptr; }

protected:
    void ActiveChanged() override { Changed(); }
    void LayoutChanged() override { Changed(); }
    void DataSetChanged() override { Changed(); }
    void DataSetScrolled() override { Changed(); }
    void RecordChanged(TField*) override {}

private:
    void Changed()
    {
        if (FChanged)
            FChanged();
    }

    std::function<void()> FChanged;
};

} // namespace lark::detail
