#pragma once

#include <QSet>

#include "nqc/PosixFileSystem.h"

// Real files in a directory, with faults to order: names that another program
// creates between the search and the create, names that all exist, a create
// that fails, or a write that fails part way after writing some bytes.
class FaultyFileSystem : public FileSystem {
public:
    explicit FaultyFileSystem(const QString &directory);

    bool exists(const QString &name) override;
    CreateResult createNew(const QString &name) override;
    void remove(const QString &name) override;

    QSet<QString> appearBeforeCreate; // written by "someone else" just before the create
    bool everyNameExists = false;
    QString createFailure; // non-empty: the create fails with this reason
    qsizetype writeFailsAfter = -1; // >= 0: the write stores this many bytes, then fails
    int createCalls = 0;

private:
    PosixFileSystem m_real;
    QString m_directory;
};
