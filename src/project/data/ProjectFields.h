#pragma once

#include "platform/OneBased.h"

#include <QString>

/// The texts of the main window that a project file holds, exactly as displayed.
struct ProjectFields
{
    QString Label58;              ///< model key caption, "TS250" or "TS160"
    OneBased<QString, 13> Text;   ///< Text1..Text13: the area fields and the height
    QString Text15, Text16;       ///< project and customer names
    QString Label59;              ///< maximum angle of box 1
    QString Combo2, Combo1;       ///< texts of the number of boxes and of areas
    OneBased<QString, 16> Combo3; ///< angle texts of boxes 1..16
    QString Combo4;               ///< model display text

    bool operator==(const ProjectFields&) const = default;
};
