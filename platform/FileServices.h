#pragma once

#include <QString>
#include <QStringList>
#include <memory>

namespace markroll {

// An output text file written in code page 932, one line per call with CR LF.
// Every failure is a ScriptError: 5 for a line that cannot be encoded (nothing of
// that line is written), the OS failure's number otherwise.
class TextStream {
public:
    virtual ~TextStream() = default;
    virtual void writeLine(const QString& text) = 0;
    // Hands every line written so far to the OS.
    virtual void flush() = 0;
    virtual void close() = 0;
};

class Folder {
public:
    virtual ~Folder() = default;
    // The names of the direct sub-folders, in the listing order.
    virtual QStringList subfolderNames() = 0;
};

class FileSystemObject {
public:
    virtual ~FileSystemObject() = default;
    virtual std::unique_ptr<Folder> getFolder(const QString& path) = 0;
    virtual std::unique_ptr<TextStream> createTextFile(const QString& path, bool overwrite) = 0;
};

class FileSystemFactory {
public:
    virtual ~FileSystemFactory() = default;
    virtual std::unique_ptr<FileSystemObject> createFileSystemObject() = 0;
};

} // namespace markroll
