#pragma once

#include "files/ProjectFile.h"
#include "i18n/Languages.h"
#include "project/ProjectState.h"
#include "sideview/SideView.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <variant>

/// A project loaded as the Load command loads it, after the side-view redraw.
struct LoadedProject
{
    ProjectFields fields;
    ProjectState state;
    sideview::Inputs inputs;         ///< field values and surface scales of the redraw
    QMap<QString, QString> captions; ///< side-view label captions, by objectName
    QStringList messages;            ///< tags of the messages the load raised
};

/// Loads PROJECT.ini into a main window built off-screen (needs a
/// QApplication) with the languages of `languages`, and returns the project,
/// or a one-line description of why it could not be loaded.
std::variant<LoadedProject, QString> loadProjectHeadless(const QString& path, Languages& languages);
