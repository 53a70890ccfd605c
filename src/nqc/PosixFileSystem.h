#pragma once

#include "nqc/FileSystem.h"

// Files in one directory of the real file system; by default the current one.
class PosixFileSystem : public FileSystem {
public:
    explicit PosixFileSystem(QString directory = QStringLiteral("."));

    bool exists(const QString &name) override;
    CreateResult createNew(const QString &name) override;
    void remove(const QString &name) override;

private:
    QByteArray pathOf(const QString &name) const;

    QString m_directory;
};
