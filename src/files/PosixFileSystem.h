#pragma once

#include "files/FileSystem.h"

// Files in one folder of the real file system, found by its absolute path
// each time, so that a folder removed and made again is written to again.
// A new file is made without a name (O_TMPFILE) where the file system offers
// it, and otherwise under a hidden temporary name that is removed once the
// file has its real name, or by a later start if the program was killed.
class PosixFileSystem : public FileSystem {
public:
    // The folder, made absolute now: by default the current directory.
    explicit PosixFileSystem(const QString &folder = QStringLiteral("."));

    QString folderPath() const override { return m_folder; }
    bool exists(const QString &name) override;
    CreateResult createUnnamed() override;

    // Removes the hidden temporary files of programs that were killed while
    // writing into this folder. Files of programs still running stay.
    void removeAbandonedFiles();

private:
    QByteArray pathOf(const QString &name) const;

    QString m_folder;
};
