#pragma once

// The layout was drawn around "MS Sans Serif" and "Arial". Both are asked
// for by name and resolve to the metric-compatible Liberation Sans, so that
// captions fit the controls they were designed for; "MS Sans Serif" is also
// the interface font, menu bar included.
void useDesignFonts();
