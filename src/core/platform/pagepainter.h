// Draws a page of a page model on any device: the printer, a PDF file or
// the preview, at the device's own resolution.
#pragma once

#include "platform/pagemodel.h"

class QPainter;

namespace kelm::report {

// Draws one page (white paper not included) with the page's top left
// corner at the painter's origin, `dotsPerInch` device units to the inch.
// Texts go on the character grid, one character at a time, like the forms'
// labels. The painter is not scaled: fonts are sized in device pixels, so
// a bold face the font lacks is still drawn bold.
void paintPage(QPainter &painter, const Page &page, double dotsPerInch);

} // namespace kelm::report
