#pragma once

#include "sysinfo/SysInfoStarter.h"

// The real file test and program start of this system.
class PlainFileProbe : public FileProbe {
public:
    bool isPlainFile(const QString &path) const override;
};

class DetachedLauncher : public ProgramLauncher {
public:
    bool startDetached(const QString &command) override;
};

// This system keeps no registry, so it holds no values.
const Registry &systemRegistry();
