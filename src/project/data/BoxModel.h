#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

/// One row of the box-model table: the dimensions every subsystem reads and
/// the splay angles that boxes 2 to 16 may take.
struct BoxModel
{
    int index;              ///< `modelcaixa`: 0 or 1
    QString key;            ///< stored in project files and shown in `Label58`: "TS250", "TS160"
    QString display;        ///< item text of `Combo4`: "TS-250", "TS-160"
    float alturaunacaixa;   ///< front height of one box, m
    float ampladaunacaixa;  ///< width, m
    float traseraunacaixa;  ///< rear height, m
    float angleunacaixa;    ///< side angle of the enclosure, degrees
    QString emptyAngleText; ///< put into an empty angle field of boxes 2 to 16 on a model change

    /// The angle list of boxes 2 to 16, half degrees written with the locale's separator.
    QStringList angleList(const QLocale& locale) const;
};

/// The model of index 0 (`TS250`) or 1 (`TS160`); any other index gives the first.
const BoxModel& boxModel(int index);

/// The model whose key ("TS250"/"TS160") matches, or nullptr.
const BoxModel* boxModelByKey(const QString& key);

/// Angle list of box 1: "0" to "20" in whole degrees.
QStringList firstBoxAngleList();

/// The list boxes 2 to 16 start with before any model is chosen: the first
/// model's list, which the start-up builds item by item.
QStringList startAngleList(const QLocale& locale);
