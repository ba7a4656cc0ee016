#include "platform/paint/DesignFont.h"

#include <QStringList>

QFont designFont()
{
    QFont f;
    // Where the narrow face is missing, the nearest condensed ones; what still
    // does not fit is shortened by the windows.
    f.setFamilies({QStringLiteral("Liberation Sans Narrow"),
                   QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans")});
    f.setPixelSize(11);
    return f;
}
