#include "sideview/GeometryJson.h"

#include "platform/Json.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace sideview {

namespace {

using json::Array;
using json::Object;

// The selected index held as a single, as a whole number (0 for what is none).
int wholeNumber(float v)
{
    if (!std::isfinite(v))
        return 0;
    return static_cast<int>(std::clamp(v, -1.0e9f, 1.0e9f));
}

// Labels that a redraw may not have set yet show their design captions.
const std::pair<const char*, const char*> kLabels[] = {
    {"Label35", "10"}, {"Label36", "5"}, {"Label37", "2"}, {"Label38", "4"}, {"Label39", "6"},
    {"Label40", "8"},  {"Label41", "2"}, {"Label42", "1"}, {"Label48", "3"}, {"Label49", "4"},
};

QString caption(const QMap<QString, QString>& captions, const char* name, const char* design)
{
    return captions.value(QString::fromLatin1(name), QString::fromLatin1(design));
}

} // namespace

QByteArray geometryJson(const ProjectState& state, const QMap<QString, QString>& captions,
                        const QStringList& messages, const Inputs& scales, const QLocale& locale)
{
    QByteArray s;
    {
        Object root(s);
        root.real("offsetmax", state.offsetmax);
        root.real("alturamax", state.alturamax);
        root.string("Label59", caption(captions, "Label59", "0"));
        {
            root.key("labels");
            Object labels(s);
            for (const auto& [name, design] : kLabels)
                labels.string(name, caption(captions, name, design));
        }
        {
            root.key("surfaces");
            Object surfaces(s);
            surfaces.real("SW1", scales.SW1);
            surfaces.real("SH1", scales.SH1);
            surfaces.real("SW44", scales.SW44);
            surfaces.real("SH44", scales.SH44);
        }
        root.integer("seleccio", wholeNumber(state.seleccio));
        root.integer("numcaixes", state.numcaixes);
        root.integer("primerraig", state.primerraig);

        {
            Array list(root.key("boxes"));
            for (int j = 1; j <= 16; ++j) {
                Object b(list.next());
                b.real("box", static_cast<float>(state.box[j].toDouble(locale)));
                b.real("xbaixm", state.xbaixm[j]);
                b.real("ybaixm", state.ybaixm[j]);
                b.real("xdalt", state.xdalt[j]);
                b.real("ydalt", state.ydalt[j]);
                b.real("xbaix", state.xbaix[j]);
                b.real("ybaix", state.ybaix[j]);
            }
        }

        {
            Array list(root.key("areas"));
            for (int n = 1; n <= 3; ++n) {
                const AreaView& v = state.areaView[n];
                const AreaLine& l = state.areaLine[n];
                Object a(list.next());
                a.real("X1", v.X1);
                a.real("Y1", v.Y1);
                a.real("X2", v.X2);
                a.real("Y2", v.Y2);
                a.boolean("areavertical", l.areavertical);
                a.boolean("areahoritzontal", l.areahoritzontal);
                a.real("areax", l.areax);
                a.real("areaz", l.areaz);
                a.real("areapendent", l.areapendent);
                a.real("areaorigen", l.areaorigen);
            }
        }

        {
            Array list(root.key("rays"));
            for (int k = 1; k <= 16; ++k) {
                const RayLine& r = state.rayLine[k];
                Object o(list.next());
                o.real("x1raig", state.x1raig[k]);
                o.real("y1raig", state.y1raig[k]);
                o.real("x2raig", state.x2raig[k]);
                o.real("y2raig", state.y2raig[k]);
                o.boolean("raigvertical", r.raigvertical);
                o.boolean("raighoritzontal", r.raighoritzontal);
                o.real("raigx", r.raigx);
                o.real("raigz", r.raigz);
                o.real("raigpendent", r.raigpendent);
                o.real("raigorigen", r.raigorigen);
                o.real("tallx", r.tallx);
                o.real("tally", r.tally);
            }
        }

        {
            Array list(root.key("messages"));
            for (const QString& tag : messages)
                json::appendString(list.next(), tag);
        }
    }
    s += '\n';
    return s;
}

} // namespace sideview
