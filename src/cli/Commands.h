#pragma once

#include "cli/Command.h"

// The verbs of the command line, one class each.

class RenderCommand : public Command {
public:
    Help help() const override;
    int run(const QStringList &arguments, const CommandOptions &options) override;
};

class PlayCommand : public Command {
public:
    Help help() const override;
    int run(const QStringList &arguments, const CommandOptions &options) override;
};

class NqcCommand : public Command {
public:
    Help help() const override;
    int run(const QStringList &arguments, const CommandOptions &options) override;
};

class MmlCommand : public Command {
public:
    Help help() const override;
    int run(const QStringList &arguments, const CommandOptions &options) override;
};

class MidiCommand : public Command {
public:
    Help help() const override;
    int run(const QStringList &arguments, const CommandOptions &options) override;
};

class SendCommand : public Command {
public:
    Help help() const override;
    int run(const QStringList &arguments, const CommandOptions &options) override;
};

class ExportCommand : public Command {
public:
    Help help() const override;
    int run(const QStringList &arguments, const CommandOptions &options) override;
};

class PdfCommand : public Command {
public:
    Help help() const override;
    int run(const QStringList &arguments, const CommandOptions &options) override;
};

// The notation programs' files: the melody written as ZEPA's staff shows it,
// under its title, in its meter. The two verbs differ only in the file.
class NotationCommand : public Command {
public:
    int run(const QStringList &arguments, const CommandOptions &options) override;

protected:
    explicit NotationCommand(OutputKind kind)
        : m_kind(kind)
    { }
    Help notationHelp(const QString &file, const QString &description) const;

private:
    OutputKind m_kind;
};

class MusicXmlCommand : public NotationCommand {
public:
    MusicXmlCommand()
        : NotationCommand(OutputKind::MusicXml)
    { }
    Help help() const override;
};

class LilyPondCommand : public NotationCommand {
public:
    LilyPondCommand()
        : NotationCommand(OutputKind::LilyPond)
    { }
    Help help() const override;
};
