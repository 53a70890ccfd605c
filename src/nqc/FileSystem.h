#pragma once

#include <memory>
#include <string_view>

#include <QString>

// A file opened for writing by FileSystem::createNew.
class OutputFile {
public:
    virtual ~OutputFile() = default;
    // Writes the bytes. False, with the system's reason, when it fails.
    virtual bool write(std::string_view bytes, QString &reason) = 0;
    virtual bool close(QString &reason) = 0;
};

// The few file operations the writer needs, against one directory. Tests put
// their own in place to make files appear or writes fail.
class FileSystem {
public:
    enum class CreateStatus { Created, AlreadyExists, Failed };
    struct CreateResult {
        CreateStatus status = CreateStatus::Failed;
        std::unique_ptr<OutputFile> file; // set when Created
        QString reason; // set when Failed
    };

    virtual ~FileSystem() = default;
    // Whether any entry (file, directory, link) of that name exists.
    virtual bool exists(const QString &name) = 0;
    // Creates the file only if no entry of that name exists yet, never replacing one.
    virtual CreateResult createNew(const QString &name) = 0;
    virtual void remove(const QString &name) = 0;
};
