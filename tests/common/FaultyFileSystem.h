#pragma once

#include <QSet>

#include "files/PosixFileSystem.h"

// Real files in a directory, with faults to order: names that another program
// creates between the search and the naming, names that all exist, a create
// that fails, or a write that fails part way after writing some bytes.
class FaultyFileSystem : public FileSystem {
public:
    explicit FaultyFileSystem(const QString &directory);

    QString folderPath() const override { return m_real.folderPath(); }
    bool exists(const QString &name) override;
    CreateResult createUnnamed() override;

    QSet<QString> appearBeforeNaming; // written by "someone else" just before the file is named
    bool everyNameExists = false;
    QString createFailure; // non-empty: the create fails with this reason
    qsizetype writeFailsAfter = -1; // >= 0: the write stores this many bytes, then fails
    int createCalls = 0;

private:
    PosixFileSystem m_real;
    QString m_directory;
};
