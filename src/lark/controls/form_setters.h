#pragma once
// Qt's setter names for the published properties.
//
// uic compiles every property a form (.ui) sets into a call of
// set<Property>(value), Qt's naming; the published classes answer those
// calls by forwarding them to the design's Set<Property> setters:
//
//     class TLarkHTMLLabel ... {
//         LARK_FORM_SETTER(Caption)
//     };
//     label->setCaption(u"<b>x</b>"_s);   // what uic writes: SetCaption

#define LARK_FORM_SETTER(Name)                                                                                    \
    template <class Value>                                                                                        \
    void set##Name(const Value& V)                                                                                \
    {                                                                                                             \
        Set##Name(V);                                                                                             \
    }
