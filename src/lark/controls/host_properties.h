#pragma once
// The property groups every published HTML control shares, as moc and uic
// see them: one list here instead of a copy in each class.
//
//     class TLarkHTMLLabel : public TLarkCustomHTMLLabel {
//         Q_OBJECT
//         LARK_HTML_OPTIONS_PROPERTIES     // Options, OptionsLinkColor, ...
//         ...
//     public:
//         LARK_HTML_OPTIONS_SETTERS        // what uic calls for them
//     };
//
// moc expands these macros like any other; the getters and setters they name
// are TLarkHTMLHostBase's.

#include <lark/controls/form_setters.h>
#include <lark/framework/color_choice.h>

// The document options: link colour (a value and a system colour for
// Designer's editors, the stored TColor hidden), line gap and link style.
#define LARK_HTML_OPTIONS_PROPERTIES                                                                              \
    Q_PROPERTY(lark::TLarkHTMLOptions* Options READ Options CONSTANT STORED false)                              \
    Q_PROPERTY(lark::TColor OptionsLinkColor READ OptionsLinkColor WRITE SetOptionsLinkColor DESIGNABLE false)  \
    Q_PROPERTY(QColor OptionsLinkColorValue READ OptionsLinkColorValue WRITE SetOptionsLinkColorValue)          \
    Q_PROPERTY(lark::SystemColorEnums::TSystemColor OptionsLinkColorSystem READ OptionsLinkColorSystem WRITE    \
                   SetOptionsLinkColorSystem)                                                                   \
    Q_PROPERTY(int OptionsLineGap READ OptionsLineGap WRITE SetOptionsLineGap)                                  \
    Q_PROPERTY(lark::TLarkHTMLOptions::TLinkStyleFlags OptionsLinkStyle READ OptionsLinkStyle WRITE             \
                   SetOptionsLinkStyle)

#define LARK_HTML_OPTIONS_SETTERS                                                                                 \
    LARK_FORM_SETTER(OptionsLinkColor)                                                                            \
    LARK_COLOR_CHOICE(OptionsLinkColor)                                                                           \
    LARK_FORM_SETTER(OptionsLineGap)                                                                              \
    LARK_FORM_SETTER(OptionsLinkStyle)

// The padding around the document, side by side.
#define LARK_HTML_PADDING_PROPERTIES                                                                              \
    Q_PROPERTY(lark::TPadding* Padding READ Padding CONSTANT STORED false)                                      \
    Q_PROPERTY(int PaddingLeft READ PaddingLeft WRITE SetPaddingLeft)                                           \
    Q_PROPERTY(int PaddingTop READ PaddingTop WRITE SetPaddingTop)                                              \
    Q_PROPERTY(int PaddingRight READ PaddingRight WRITE SetPaddingRight)                                        \
    Q_PROPERTY(int PaddingBottom READ PaddingBottom WRITE SetPaddingBottom)

#define LARK_HTML_PADDING_SETTERS                                                                                 \
    LARK_FORM_SETTER(PaddingLeft)                                                                                 \
    LARK_FORM_SETTER(PaddingTop)                                                                                  \
    LARK_FORM_SETTER(PaddingRight)                                                                                \
    LARK_FORM_SETTER(PaddingBottom)

// The snippet storage the control shows an item of, and how it follows links.
#define LARK_HTML_STORAGE_PROPERTIES                                                                              \
    Q_PROPERTY(int StorageItemIndex READ StorageItemIndex WRITE SetStorageItemIndex RESET ResetStorageItemIndex) \
    Q_PROPERTY(int StorageItemNotFoundIndex READ StorageItemNotFoundIndex WRITE SetStorageItemNotFoundIndex      \
                   RESET ResetStorageItemNotFoundIndex)                                                         \
    Q_PROPERTY(bool CheckStorageLinks READ CheckStorageLinks WRITE SetCheckStorageLinks RESET                  \
                   ResetCheckStorageLinks)                                                                      \
    Q_PROPERTY(lark::TLarkHTMLStorage* Storage READ Storage WRITE SetStorage STORED false)

#define LARK_HTML_STORAGE_SETTERS                                                                                 \
    LARK_FORM_SETTER(StorageItemIndex)                                                                            \
    LARK_FORM_SETTER(StorageItemNotFoundIndex)                                                                    \
    LARK_FORM_SETTER(CheckStorageLinks)
