#pragma once
// Start-up of the framework layer. Call InitializeFramework() once the
// QApplication exists and before the first font is measured; later calls do
// nothing.
//
// It registers the Tahoma face shipped by fonts-wine (tahoma.ttf in
// /usr/share/wine/fonts) when present and Tahoma is not installed otherwise
// (bold is emboldened from it; see framework.cpp), maps "MS Sans Serif", "MS Shell Dlg" and
// "MS Shell Dlg 2" to the first available of Tahoma, Liberation Sans and
// DejaVu Sans, and registers TEdit, TButton, TCheckBox and TRadioButton in
// the class registry.
//
// fonts-wine's ms_sans_serif.ttf is never registered: it is bitmap-only, so
// every size draws the same 13-pixel glyphs and its metrics are nonsense.

namespace lark {

void InitializeFramework();

} // namespace lark
