#pragma once

#include "FileServices.h"

#include <QByteArray>

namespace markroll {

// The page's text stream: lines in code page 932, each ended by CR LF, buffered
// and handed to the OS by flush(), close() or when the buffer fills.
class Cp932FileStream : public TextStream {
public:
    // Replaces the directory entry `path`; a symbolic link there is itself
    // replaced, and the file it points to is never opened.
    static std::unique_ptr<Cp932FileStream> create(const QString& path, bool overwrite);
    ~Cp932FileStream() override;

    void writeLine(const QString& text) override;
    void flush() override;
    void close() override;

private:
    Cp932FileStream(int descriptor, QString path);

    void failIfBroken() const;

    int descriptor_;
    int failedWith_ = 0;
    QString path_;
    QByteArray pending_;
};

} // namespace markroll
