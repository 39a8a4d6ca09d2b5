#pragma once
// Lark HTML: the whole public API in one include.

// framework layer over Qt
#include <lark/framework/canvas.h>
#include <lark/framework/class_registry.h>
#include <lark/framework/color.h>
#include <lark/framework/convert.h>
#include <lark/framework/exceptions.h>
#include <lark/framework/font.h>
#include <lark/framework/frame3d.h>
#include <lark/framework/framework.h>
#include <lark/framework/image_list.h>
#include <lark/framework/object.h>
#include <lark/framework/picture.h>
#include <lark/framework/string_list.h>

// control hook
#include <lark/hook/hook_component.h>

// snippet storage
#include <lark/storage/html_strings.h>
#include <lark/storage/storage.h>
#include <lark/storage/text_form.h>

// engine
#include <lark/html/render.h>
#include <lark/html/host/caption.h>
#include <lark/html/host/events.h>
#include <lark/html/host/host_control.h>
#include <lark/html/host/host_traits.h>
#include <lark/html/host/options.h>
#include <lark/html/host/padding.h>
#include <lark/html/model/data.h>
#include <lark/html/model/items.h>
#include <lark/html/parse/values.h>
#include <lark/html/layout/text_layout.h>
#include <lark/html/paint/gradient.h>
#include <lark/html/images/transparent_bitmap.h>
#include <lark/html/interaction/shift_state.h>
#include <lark/html/untrusted/untrusted.h>

// controls
#include <lark/controls/label.h>
#include <lark/controls/panel.h>
#include <lark/controls/view.h>
#include <lark/controls/html_list_box.h>
#include <lark/controls/item_delegate.h>
#include <lark/controls/list_box.h>
#include <lark/controls/accessible_text_model.h>

// data access and the data-aware controls
#include <lark/db/data_link.h>
#include <lark/db/data_source.h>
#include <lark/db/dataset.h>
#include <lark/db/db_label.h>
#include <lark/db/db_types.h>
#include <lark/db/db_view.h>
#include <lark/db/field.h>
#include <lark/db/grid.h>
#include <lark/db/navigator.h>
#include <lark/db/sql_table.h>
#include <lark/framework/flag_set.h>
#include <lark/framework/saturate.h>
#include <lark/controls/control_defaults.h>
#include <lark/db/db_control.h>
