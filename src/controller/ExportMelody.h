#pragma once

#include <optional>
#include <vector>

#include "workflows/Outputs.h"

// How exporting speaks with whoever asked for it. The windows ask in dialogs
// and tell in boxes and the status bar; the command line answers from its
// arguments and tells on standard error and in its exit status.
class ExportPort {
public:
    virtual ~ExportPort() = default;
    // The title over sheet music, starting from the one offered; none: stopped.
    virtual std::optional<QString> title(const OutputFormat &format, const QString &offered) = 0;
    // The file to write, and which of the formats offered together (the one
    // asked for first) it is to be; an empty path: stopped.
    virtual QString destination(const std::vector<OutputFormat> &offered, std::size_t &chosen) = 0;
    virtual UserFileWriter::Replace replace() const = 0;
    // Told as the writing goes on; none: not shown.
    virtual OutputProgress progress(const OutputFormat &format) = 0;
    // What became of it: written (with what the platform changed), refused
    // before a name was asked (too long, no notes), cancelled, or failed.
    virtual void finished(const OutputFormat &format, const QString &path, const OutputResult &result) = 0;
};

// The melody written in one of the register's formats, the same way from the
// menus and from the command line: whether it fits before a name is asked,
// the title for sheet music, the file and the formats offered with it, the
// progress, and what became of it.
class ExportMelody {
public:
    explicit ExportMelody(ExportPort &port)
        : m_port(port)
    { }

    // Cancelled, with nothing said, when the user stopped before writing.
    OutputResult run(const QString &id, OutputSource source);

private:
    ExportPort &m_port;
};
