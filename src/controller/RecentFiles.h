#pragma once

#include <QStringList>

// The melody files opened or saved last, newest first, kept in the settings
// for the next run.
class RecentFiles {
public:
    static constexpr int Most = 8;

    QStringList paths() const;
    // The file goes to the front, once.
    void add(const QString &path);
    void remove(const QString &path);
};
