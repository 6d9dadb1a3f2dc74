#pragma once

// The layout was drawn around "MS Sans Serif", "Arial" and "Arial Black".
// On Windows they are the system's own. Elsewhere they are asked for by
// name and resolve here, not through fontconfig, whose
// answer for a missing family can be a monospace: the first two to the
// metric-compatible Liberation Sans, so that captions fit the controls they
// were designed for, and "Arial Black" to the heavy DejaVu Sans Bold.
// "MS Sans Serif" is also the interface font, menu bar included.
void useDesignFonts();
