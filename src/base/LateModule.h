#pragma once

#include <QString>
#include <QtGlobal>

// Some of ZEPA's work needs large libraries that its first window does not:
// the sound server's client (Qt Multimedia, PulseAudio and what they link),
// printing (Qt Print Support) and zip archives (libzip and the cryptography it
// links). Each lives in a module of its own, libzepa_NAME.so, loaded the first
// time it is needed, so that starting ZEPA loads only what the tempo window
// uses. A module is looked for in the folder ZEPA_MODULE_DIR names (the tests
// name the build's), beside the program in a build (modules/), and where the
// program is installed (lib/zepa/modules).
namespace LateModule {

// The function symbol of the module name, the module loaded once and kept
// for the rest of the run. Null when it cannot be had; *why then says which
// file was tried and what the loader said.
QFunctionPointer resolve(const char *name, const char *symbol, QString *why = nullptr);

template<typename Function>
Function *function(const char *name, const char *symbol, QString *why = nullptr)
{
    return reinterpret_cast<Function *>(resolve(name, symbol, why));
}

} // namespace LateModule
