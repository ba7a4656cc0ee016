#pragma once

#include "project/data/ProjectFields.h"
#include "project/data/ProjectState.h"
#include "spl/Request.h"

#include <QLocale>
#include <QString>

class ProjectDocument;

namespace spl {

/// The request of one calculation from the project as the main window holds
/// it after a side-view redraw (which sets alturamax and offsetmax) and the
/// calculation settings (band, text of the resolution field, level model).
/// Numbers are read from the field texts with `locale`.
Request requestFromProject(const ProjectFields& fields, const ProjectState& state,
                           const QLocale& locale, const CalculationSettings& settings);

/// The request from the project document as it stands (field texts, state,
/// locale and the surfaces' scales): what the SPL window, the live map and
/// the headless commands calculate.
Request requestFromDocument(const ProjectDocument& doc, const CalculationSettings& settings);

} // namespace spl
