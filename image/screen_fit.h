#pragma once
// Where a page goes on a whole screen: on the screen's own pixels, centred
// on a dark ground. A page larger than the screen either way is shrunk to fit
// it, proportions kept (its wider side, relative to the screen, touches the
// screen's edges); any other page is enlarged by the largest whole factor
// that fits, so every page pixel becomes an equal square block and stays
// crisp.

#include "image/page_fit.h"

namespace qb {

DrawRect FitPageToScreen(int pageWidth, int pageHeight, int screenWidth, int screenHeight);

}  // namespace qb
