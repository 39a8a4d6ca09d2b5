#include "screenshot_tour.h"

#include "features_form.h"

#include <page_screenshots.h>

#include <lark/controls/view.h>
#include <lark/storage/storage.h>


using namespace Qt::StringLiterals;

namespace lark::tour {

int WriteScreenshots(TfrmLarkHTMLFeatures& form, const QString& folder)
{
    const TLarkHTMLStorageItems& pages = *form.Pages()->Items();
    apps::TPageScreenshots shots;
    shots.Program = u"featurestour"_s;
    shots.Folder = folder;
    shots.PageCount = pages.Count();
    shots.FirstNumber = 0;
    shots.ShowPage = [&form, &pages](int i) {
        form.View()->SetStorageItemIndex(i);
        return pages[i]->Name();
    };
    return apps::WriteScreenshots(form, shots);
}

} // namespace lark::tour
