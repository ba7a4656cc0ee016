#pragma once

#include <QFont>

/// The font every window of the program is laid out for: a narrow sans serif
/// at a fixed pixel size, so that the captions of all languages fit the design
/// positions, which are fixed in pixels too. Pictures drawn without a window
/// use it for the same captions.
QFont designFont();
