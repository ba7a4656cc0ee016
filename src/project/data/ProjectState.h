#pragma once

#include "platform/OneBased.h"

#include <QLocale>
#include <QString>
#include <cstdint>

/// A cumulative box angle. It holds a number after arithmetic, the text of the
/// first box's angle field after that box is set or after a project is loaded,
/// or nothing. Used as a number it counts as 0 when its text is not a number.
class BoxValue
{
public:
    enum class Kind { Empty, Number, Text };

    BoxValue() = default;
    static BoxValue number(double v);
    static BoxValue text(const QString& t);

    Kind kind() const { return m_kind; }
    double toDouble(const QLocale& locale) const;
    /// The text a project file stores: the general number form for a number
    /// (up to 15 digits), the text unchanged, or empty.
    QString toStoredText(const QLocale& locale) const;
    /// The text unchanged, for the Text kind.
    const QString& rawText() const { return m_text; }

    bool operator==(const BoxValue&) const = default;

private:
    Kind m_kind = Kind::Empty;
    double m_number = 0;
    QString m_text;
};

/// The straight-line description of an audience area, used to intersect it
/// with the aiming rays. At most one flag is set.
struct AreaLine
{
    bool areavertical = false;    ///< zero length: the line x = areax
    bool areahoritzontal = false; ///< level: the line y = areaz
    float areax = 0;
    float areaz = 0;
    float areapendent = 0; ///< slope, m of elevation per m of distance
    float areaorigen = 0;  ///< elevation at distance 0
};

/// The straight-line description of one box's aiming ray, built like AreaLine.
struct RayLine
{
    bool raigvertical = false;
    bool raighoritzontal = false;
    float raigx = 0;
    float raigz = 0;
    float raigpendent = 0;
    float raigorigen = 0;
    float tallx = 0; ///< last crossing with an area line, m
    float tally = 0;
};

/// View coordinates of one audience area's segment on the overlays.
struct AreaView
{
    float X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
};

/// What the user set and the editing rules keep consistent: the model and its
/// dimensions, the cumulative box angles, the selections and the constants of
/// the side view's scale. The redraw and the mechanical view only read these.
struct ProjectInputs
{
    OneBased<BoxValue, 16> box{BoxValue::number(0)};
    OneBased<float, 16> LastAngle;
    int16_t modelcaixa = 0;
    float alturaunacaixa = 0.314f;
    float ampladaunacaixa = 0.572f;
    float traseraunacaixa = 0.25f;
    float angleunacaixa = 3.5f;
    int16_t numcaixes = 0; ///< N - 1, the selected index of the number-of-boxes list
    float seleccio = 0;    ///< selected index of the number-of-areas list
    int16_t IniciEixX = 18;
    int16_t IniciEixY = 110;
    bool ProgCancel = false;
    float pi = 3.1415167f;

    /// Sets the four model dimensions and `modelcaixa` from the model table.
    void applyModel(int index);
};

/// The corners of every box as the mechanical view hangs them; the project
/// file stores them.
struct BoxCorners
{
    OneBased<float, 16> x1, x2, x3, x4, y1, y2, y3, y4;
};

/// What one side-view redraw leaves: the view's extents, the array's fronts,
/// the areas' view coordinates and the rays' end points. Other windows (the
/// SPL map, the mouse readout) read them until the next redraw.
struct SideViewResults
{
    float alturamax = 0;
    float offsetmax = 0; ///< kept by a redraw that has no areas to measure

    // Array drawing results, entry j for box j.
    OneBased<float, 16> xdaltm, xbaixm, ybaixm, xdalt, ydalt, xbaix, ybaix;

    // Audience areas: view coordinates (X11 .. Y32).
    OneBased<AreaView, 3> areaView;

    // Aiming rays: end points on the overlays, first ray tested.
    OneBased<float, 16> x1raig, y1raig, x2raig, y2raig;
    int16_t primerraig = 0;
};

/// Values a redraw reads from the one before: line descriptions that an area or
/// ray without a new value keeps, and the area crossings carried from one area
/// test to the next.
struct CarriedValues
{
    OneBased<AreaLine, 3> areaLine;
    OneBased<RayLine, 16> rayLine;
    float x2raigintermig = 0, y2raigintermig = 0, y2raigintermig2 = 0;
    float x2raigintermig3 = 0, y2raigintermig3 = 0, y2raigintermig4 = 0;
    bool Heentrat = false;
    bool Heentratarea2 = false;
};

/// The whole project state besides the field texts, under the names every part
/// of the program uses, made of the four parts above, so that a function can
/// take only the part it reads or writes. Its start values are the ones the
/// main window's start-up sets.
struct ProjectState : ProjectInputs, BoxCorners, SideViewResults, CarriedValues
{
};
