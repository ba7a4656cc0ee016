#include "analysis/ChooseAngles.h"

#include "platform/Numbers.h"
#include "project/ProjectDocument.h"

namespace spl {

void chooseAngles(ProjectDocument& doc, std::span<const double> angles)
{
    for (std::size_t i = 0; i < angles.size() && i < 16; ++i) {
        const Control list = angleList(int(i));
        if (numbers::toDouble(doc.text(list), doc.locale()) == angles[i])
            continue;
        const QStringList items = doc.items(list);
        for (int k = 0; k < items.size(); ++k)
            if (numbers::toDouble(items[k], doc.locale()) == angles[i]) {
                doc.choose(list, k);
                break;
            }
    }
}

} // namespace spl
