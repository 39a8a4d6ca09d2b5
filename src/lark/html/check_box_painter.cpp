// Painting of check boxes and radio buttons.
#include <lark/html/items.h>

namespace lark {

// FIXME: the check box and radio button drawing lands with the inputs; until
// then an input item paints nothing and only keeps its place on the line.
void TLarkHTMLCheckBoxPainter::PaintTo(TCanvas& Canvas, const QRect& ARect)
{
    TLarkHTMLControlPainter::PaintTo(Canvas, ARect);
}

} // namespace lark
