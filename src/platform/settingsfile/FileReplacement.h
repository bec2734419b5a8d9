// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "messages/Failure.h"

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QString>

namespace linvox {

// The new contents of a file, written to a temporary file beside it and then put in its place at
// once: a reader sees the old contents or the new, never a part, and after Commit the new ones
// survive a power cut. A path that is a link has the file it leads to replaced. The temporary
// file is removed unless committed. Scratch files stay in the file's own folder, never in
// TMPDIR: only there is room for the file itself sure to be found.
class FileReplacement {
public:
    explicit FileReplacement(const QString& path);
    ~FileReplacement();

    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Writes contents to the temporary file, in place of what was written before, stamped as
    // modified at modified; done when all of it was written, else why not (a full disk or a
    // file-size limit cut it short). The temporary file takes the permissions of the file it
    // replaces.
    Status Write(const QByteArray& contents, const QDateTime& modified);

    // The temporary file's path, to read the contents back before committing them.
    const QString& temporaryPath() const { return m_temporaryPath; }

    // Puts the written contents in the file's place: their data on disk, the rename, then the
    // folder's entry on disk (where the file system allows). Done when the file was replaced;
    // when not, the file is as it was.
    Status Commit();

private:
    Status Create();

    QString m_path;
    QString m_temporaryPath;
    QFile m_temporary;
};

}  // namespace linvox
