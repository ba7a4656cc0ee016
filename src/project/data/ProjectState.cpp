#include "project/data/ProjectState.h"

#include "platform/Numbers.h"
#include "project/data/BoxModel.h"

BoxValue BoxValue::number(double v)
{
    BoxValue b;
    b.m_kind = Kind::Number;
    b.m_number = v;
    return b;
}

BoxValue BoxValue::text(const QString& t)
{
    BoxValue b;
    b.m_kind = Kind::Text;
    b.m_text = t;
    return b;
}

double BoxValue::toDouble(const QLocale& locale) const
{
    switch (m_kind) {
    case Kind::Number:
        return m_number;
    case Kind::Text:
        return numbers::toDouble(m_text, locale);
    case Kind::Empty:
        break;
    }
    return 0.0;
}

QString BoxValue::toStoredText(const QLocale& locale) const
{
    switch (m_kind) {
    case Kind::Number:
        return numbers::generalDouble(m_number, locale);
    case Kind::Text:
        return m_text;
    case Kind::Empty:
        break;
    }
    return {};
}

void ProjectInputs::applyModel(int index)
{
    const BoxModel& m = boxModel(index);
    modelcaixa = static_cast<int16_t>(m.index);
    alturaunacaixa = m.alturaunacaixa;
    ampladaunacaixa = m.ampladaunacaixa;
    traseraunacaixa = m.traseraunacaixa;
    angleunacaixa = m.angleunacaixa;
}
