#pragma once

#include <QIODevice>
#include <QString>

#include <functional>

/// The one way every output file (pictures, reports, cell tables) is written.
///
/// A regular file, or a name where nothing exists yet, is written through a
/// temporary file in the same folder that replaces the target only once it is
/// complete and on disk: any failure, or the program's end half-way, leaves the
/// old file as it was. A target that exists and is not a regular file (a
/// terminal, a pipe, a device, /dev/stdout) is never replaced: the bytes go
/// straight to it, as a shell redirection would send them.
///
/// `fill` writes the contents to the device it is given and returns an empty
/// text, or why it could not (a format it cannot write, say). A failure of the
/// device itself (a full disk, a size limit) is reported with the system's
/// reason. Returns "PATH: reason", or an empty text when the file is written.
QString writeOutputFile(const QString& path, const std::function<QString(QIODevice&)>& fill);
