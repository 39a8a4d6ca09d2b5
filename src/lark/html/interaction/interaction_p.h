#pragma once
// Internal: helpers shared by the interaction files.

namespace lark {
class TLarkHTMLData;
class TLarkHTMLItem;
} // namespace lark

namespace lark::detail {

// Clicks and link stepping only mark an item as selected; unlike assigning
// SelectedItem, they do not move the keyboard focus to an embedded control.
void StoreSelectedItem(TLarkHTMLData& data, TLarkHTMLItem* item);

} // namespace lark::detail
