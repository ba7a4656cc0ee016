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

/// The project state the main window holds besides its field texts: the
/// program-wide variables shared by every window and the public variables of
/// the main window, including the results of the last side-view redraw that
/// other windows (and the next redraw) read. Its start values are the ones
/// the main window's start-up sets.
struct ProjectState
{
    // Program-wide variables.
    OneBased<BoxValue, 16> box{BoxValue::number(0)};
    OneBased<float, 16> LastAngle;
    int16_t modelcaixa = 0;
    float alturaunacaixa = 0.314f;
    float ampladaunacaixa = 0.572f;
    float traseraunacaixa = 0.25f;
    float angleunacaixa = 3.5f;
    int16_t numcaixes = 0; ///< N - 1, the selected index of the number-of-boxes list
    OneBased<float, 16> x1, x2, x3, x4, y1, y2, y3, y4; ///< box corners, mechanical view

    // Public variables of the main window.
    int16_t IniciEixX = 18;
    int16_t IniciEixY = 110;
    float seleccio = 0;
    float alturamax = 0;
    float offsetmax = 0;
    bool ProgCancel = false;
    float pi = 3.1415167f;

    // Array drawing results, entry j for box j.
    OneBased<float, 16> xdaltm, xbaixm, ybaixm, xdalt, ydalt, xbaix, ybaix;

    // Audience areas: view coordinates (X11 .. Y32) and line descriptions.
    OneBased<AreaView, 3> areaView;
    OneBased<AreaLine, 3> areaLine;

    // Aiming rays: end points on the overlays, line descriptions, first ray.
    OneBased<float, 16> x1raig, y1raig, x2raig, y2raig;
    OneBased<RayLine, 16> rayLine;
    int16_t primerraig = 0;

    // Area crossings carried from one area test to the next, and between redraws.
    float x2raigintermig = 0, y2raigintermig = 0, y2raigintermig2 = 0;
    float x2raigintermig3 = 0, y2raigintermig3 = 0, y2raigintermig4 = 0;
    bool Heentrat = false;
    bool Heentratarea2 = false;

    /// Sets the four model dimensions and `modelcaixa` from the model table.
    void applyModel(int index);
};
