#pragma once
// Drawing a page into a view the way both programs show pages: the view is
// cleared to its background, then the page is stretched (plain, not smooth)
// to the place FitPageToView gives, clipped by the view.

#include <QColor>
#include <QImage>

#include "image/page_fit.h"

namespace qb {

// Returns where the page was drawn (may extend beyond the view).
DrawRect DrawPageIntoView(QImage& view, const QImage& page, const QColor& background);

}  // namespace qb
