#pragma once

#include <functional>
#include <string_view>

#include <QByteArray>
#include <QString>

// The one way a file the user named is written: whole or not at all, so that
// neither a failure nor a kill part way leaves half a file under the name.
//   Replace::Never    an entry of that name (file, folder, link) is never
//                     touched: the file is written without a name in the
//                     folder and named only once complete, and the naming
//                     fails rather than replace (Status::Exists).
//   Replace::Existing an existing file is replaced, at once and whole, once
//                     the new one is complete (QSaveFile); as after a save
//                     dialog that has asked the user, or with --force.
namespace UserFileWriter {

enum class Replace { Never, Existing };
// Executable: a program a brick's file menu runs by its first line (#!), so
// it may run it as soon as it is there.
enum class Mode { Plain, Executable };

struct Result {
    enum class Status { Written, Exists, Cancelled, Failed };
    Status status = Status::Failed;
    QString reason; // why it failed, in the program's words where it has them

    bool written() const { return status == Status::Written; }
};

// Takes the next bytes of the file; false when they could not be written.
using Sink = std::function<bool(std::string_view bytes)>;
// Writes the file's bytes into the sink, in as many pieces as it likes.
enum class Produced { Done, Cancelled, Failed };
using Producer = std::function<Produced(const Sink &sink)>;

Result write(const QString &path, const QByteArray &bytes, Replace replace, Mode mode = Mode::Plain);
Result write(const QString &path, const Producer &produce, Replace replace, Mode mode = Mode::Plain);

} // namespace UserFileWriter
