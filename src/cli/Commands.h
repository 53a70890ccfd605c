#pragma once

#include "cli/Command.h"
#include "cli/CommandOptions.h"

// The verbs of the command line, one class each, each owning its options.

class RenderCommand : public Command {
public:
    Help help() const override;
    QList<QCommandLineOption> options() const override { return ForceOption::options(); }
    std::optional<QString> readOptions(const QCommandLineParser &parser) override;
    int run(const QStringList &arguments) override;

private:
    ForceOption m_force;
};

class PlayCommand : public Command {
public:
    Help help() const override;
    int run(const QStringList &arguments) override;
};

class NqcCommand : public Command {
public:
    Help help() const override;
    QList<QCommandLineOption> options() const override { return ForceOption::options(); }
    std::optional<QString> readOptions(const QCommandLineParser &parser) override;
    int run(const QStringList &arguments) override;

private:
    ForceOption m_force;
};

class MmlCommand : public Command {
public:
    Help help() const override;
    QList<QCommandLineOption> options() const override;
    std::optional<QString> readOptions(const QCommandLineParser &parser) override;
    int run(const QStringList &arguments) override;

private:
    ForceOption m_force;
    VoiceOptions m_voice;
};

class MidiCommand : public Command {
public:
    Help help() const override;
    QList<QCommandLineOption> options() const override;
    std::optional<QString> readOptions(const QCommandLineParser &parser) override;
    int run(const QStringList &arguments) override;

private:
    ForceOption m_force;
    AsPlayedOption m_asPlayed;
};

class SendCommand : public Command {
public:
    Help help() const override;
    QList<QCommandLineOption> options() const override { return SendOptions::options(); }
    std::optional<QString> readOptions(const QCommandLineParser &parser) override { return m_send.read(parser); }
    int run(const QStringList &arguments) override;

private:
    SendOptions m_send;
};

// Any format of the register of outputs, by its name: the other bricks'
// programs, and every format a verb of its own also writes.
class ExportCommand : public Command {
public:
    Help help() const override;
    QList<QCommandLineOption> options() const override;
    std::optional<QString> readOptions(const QCommandLineParser &parser) override;
    int run(const QStringList &arguments) override;

private:
    ForceOption m_force;
    TargetOption m_target;
    SheetOptions m_sheet;
};

// Sheet music and the notation programs' files: the melody written as ZEPA's
// staff shows it, under its title, in its meter. The verbs differ only in
// the format.
class SheetCommand : public Command {
public:
    QList<QCommandLineOption> options() const override;
    std::optional<QString> readOptions(const QCommandLineParser &parser) override;
    int run(const QStringList &arguments) override;

protected:
    explicit SheetCommand(QString outputId)
        : m_outputId(std::move(outputId))
    { }
    Help sheetHelp(const QString &file, const QString &description) const;

private:
    QString m_outputId;
    ForceOption m_force;
    SheetOptions m_sheet;
};

class PdfCommand : public SheetCommand {
public:
    PdfCommand();
    Help help() const override;
};

class MusicXmlCommand : public SheetCommand {
public:
    MusicXmlCommand();
    Help help() const override;
};

class LilyPondCommand : public SheetCommand {
public:
    LilyPondCommand();
    Help help() const override;
};
