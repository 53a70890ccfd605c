#pragma once

#include <memory>
#include <string_view>

#include <QString>

// A file being written that has no name yet: whatever ends the program before
// it is named, no half-written file is left under a name.
class OutputFile {
public:
    enum class NameResult { Named, Taken, Failed };

    virtual ~OutputFile() = default;
    // Writes the bytes. False, with the reason, when it fails.
    virtual bool write(std::string_view bytes, QString &reason) = 0;
    // Makes sure every byte written is on the disk.
    virtual bool flush(QString &reason) = 0;
    // Gives the complete file a name in its folder. An entry of that name that
    // exists (file, directory, link) is never replaced: the result is Taken.
    virtual NameResult giveName(const QString &name, QString &reason) = 0;
};

// The few file operations the writer needs, in one folder. Tests put their own
// in place to make files appear or writes fail.
class FileSystem {
public:
    enum class CreateStatus { Created, FolderMissing, Failed };
    struct CreateResult {
        CreateStatus status = CreateStatus::Failed;
        std::unique_ptr<OutputFile> file; // set when Created
        QString reason; // set otherwise
    };

    virtual ~FileSystem() = default;
    // The folder, as the user should be told it.
    virtual QString folderPath() const = 0;
    // Whether any entry (file, directory, link) of that name exists.
    virtual bool exists(const QString &name) = 0;
    // Opens a new file in the folder that has no name yet.
    virtual CreateResult createUnnamed() = 0;
};
