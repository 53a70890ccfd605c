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
