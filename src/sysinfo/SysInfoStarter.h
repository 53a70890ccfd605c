#pragma once

#include "base/MessageService.h"
#include "sysinfo/Registry.h"

// Whether a plain file exists at a path.
class FileProbe {
public:
    virtual ~FileProbe() = default;
    virtual bool isPlainFile(const QString &path) const = 0;
};

// Starts another program with a normal, focused window and does not wait for it.
class ProgramLauncher {
public:
    virtual ~ProgramLauncher() = default;
    // False when the program could not be started.
    virtual bool startDetached(const QString &command) = 0;
};

// The about window's system information button: finds the system information
// tool through two registry values and starts it, or says it is not available.
class SysInfoStarter {
public:
    SysInfoStarter(const Registry &registry, const FileProbe &files, ProgramLauncher &launcher,
                   MessageService &messages);

    void StartSysInfo();

    // Reads one value into KeyVal. Text values give their text, number values
    // their decimal form; a value of another type leaves KeyVal as it was.
    // On failure KeyVal becomes empty and the result is false.
    bool GetKeyValue(quint32 KeyRoot, const QString &KeyName, const QString &SubKeyRef, QString &KeyVal) const;

private:
    const Registry &m_registry;
    const FileProbe &m_files;
    ProgramLauncher &m_launcher;
    MessageService &m_messages;
};
