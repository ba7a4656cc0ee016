#include "project/data/BoxModel.h"

namespace {

const BoxModel kModels[2] = {
    {0, QStringLiteral("TS250"), QStringLiteral("TS-250"), 0.314f, 0.572f, 0.25f, 3.5f,
     QStringLiteral("7")},
    {1, QStringLiteral("TS160"), QStringLiteral("TS-160"), 0.181f, 0.49f, 0.095f, 5.0f,
     QStringLiteral("1")},
};

} // namespace

QStringList BoxModel::angleList(const QLocale& locale) const
{
    if (index == 1)
        return {"0", "1", "2", "3", "4", "5", "6", "7", "8"};
    const QString half = locale.toString(0.5);
    const QString oneHalf = locale.toString(1.5);
    return {"0", half, "1", oneHalf, "2", "3", "4", "5", "6"};
}

const BoxModel& boxModel(int index)
{
    return kModels[index == 1 ? 1 : 0];
}

const BoxModel* boxModelByKey(const QString& key)
{
    for (const BoxModel& m : kModels)
        if (m.key == key)
            return &m;
    return nullptr;
}

QStringList firstBoxAngleList()
{
    QStringList l;
    for (int i = 0; i <= 20; ++i)
        l << QString::number(i);
    return l;
}

QStringList startAngleList(const QLocale& locale)
{
    return boxModel(0).angleList(locale);
}
