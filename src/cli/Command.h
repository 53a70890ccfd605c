#pragma once

#include <optional>

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>

// One verb of the command line: how it is used, what it does, the options it
// owns, and doing it.
class Command {
public:
    struct Help {
        QString name;
        QString arguments; // "INPUT OUTPUT.wav"
        int fewest; // positional arguments it takes
        int most;
        QString description; // in the language of the windows
        QString example;
        bool paints = false; // draws pages: runs with Qt's painting, offscreen
    };

    virtual ~Command() = default;
    virtual Help help() const = 0;
    // The options this verb takes; any other is refused for it.
    virtual QList<QCommandLineOption> options() const { return {}; }
    // Takes its options' values from the parsed line, before run(); a usage
    // error's words for a value it cannot use.
    virtual std::optional<QString> readOptions(const QCommandLineParser &) { return std::nullopt; }
    // The exit status: 0 done, 1 a file could not be read or written.
    virtual int run(const QStringList &arguments) = 0;

    // It writes a file, so it takes --force.
    bool writes() const;
    bool takes(const QString &option) const;
};

// Exit statuses of every command.
namespace ExitStatus {
inline constexpr int Success = 0;
inline constexpr int WorkFailed = 1;
inline constexpr int UsageError = 2;
} // namespace ExitStatus
