#pragma once
// Drawing a page into a view the way both programs show pages: the view is
// cleared to its background, then the page is stretched by the classic rule
// (image/classic_stretch.h) to the place FitPageToView gives, clipped by the
// view. A view with a device pixel ratio above 1 gets the page in its
// physical pixels: the same logical place, drawn once, sharp.

#include <QColor>
#include <QImage>

#include "image/classic_stretch.h"
#include "image/page_fit.h"
#include "image/screen_fit.h"

namespace qb {

// A place in logical pixels in the device pixels of a ratio: both edges
// rounded, so neighbouring places still meet.
DrawRect ToDevicePixels(const DrawRect& logical, double ratio);

// Where a page of pageWidth x pageHeight goes in the view's own pixels.
DrawRect PlaceInView(int pageWidth, int pageHeight, const QImage& view);

// FitPageToScreen (image/screen_fit.h) on the view's own pixels, whatever
// its device pixel ratio.
DrawRect PlaceOnScreen(int pageWidth, int pageHeight, const QImage& view);

// The stretch's view of a picture: its pixels as they are, or converted to
// 32 bits first when they are in another format.
StretchTarget TargetOf(QImage& view);

// Fills the view with background except where place covers it: what the
// page is about to be drawn over need not be cleared first.
void ClearAroundPlace(QImage& view, const DrawRect& place, const QColor& background);

// Returns where the page was drawn, in the view's own pixels (may extend
// beyond the view).
DrawRect DrawPageIntoView(QImage& view, const QImage& page, const QColor& background);

}  // namespace qb
