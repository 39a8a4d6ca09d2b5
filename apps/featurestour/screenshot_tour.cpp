#include "screenshot_tour.h"

#include "features_form.h"

#include <page_screenshots.h>

#include <lark/controls/view.h>
#include <lark/storage/storage.h>


using namespace Qt::StringLiterals;

namespace lark::tour {

int WriteScreenshots(TfrmLarkHTMLFeatures& Form, const QString& Folder)
{
    const TLarkHTMLStorageItems& pages = *Form.Pages()->Items();
    apps::TPageScreenshots shots;
    shots.Program = u"featurestour"_s;
    shots.Folder = Folder;
    shots.PageCount = pages.Count();
    shots.FirstNumber = 0;
    shots.ShowPage = [&Form, &pages](int i) {
        Form.View()->SetStorageItemIndex(i);
        return pages[i]->Name();
    };
    return apps::WriteScreenshots(Form, shots);
}

} // namespace lark::tour
