#pragma once

#include <QStringList>

#include "sysinfo/SysInfoStarter.h"

// A launcher that records what it was asked to start.
class RecordingLauncher : public ProgramLauncher {
public:
    bool startDetached(const QString &command) override
    {
        started.append(command);
        return succeeds;
    }
    QStringList started;
    bool succeeds = true;
};

// A file test that knows a fixed set of files.
class KnownFiles : public FileProbe {
public:
    bool isPlainFile(const QString &path) const override { return files.contains(path); }
    QStringList files;
};
