#pragma once

#include "MessageBoxes.h"
#include "PathBoxes.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <ostream>

namespace markroll::test {

struct ShownMessage {
    QString text;
    int style;
    QString title;
    bool operator==(const ShownMessage&) const = default;
};
void PrintTo(const ShownMessage& message, std::ostream* out);

// Records every box in order and returns at once, as if OK were pressed.
class RecordingMessageBoxes : public MessageBoxes {
public:
    void show(const QString& text, MessageStyle style, const QString& title = {}) override;
    QList<ShownMessage> shown;
    std::function<void(const ShownMessage&)> onShow;
};

ShownMessage errorOccurredBox();
ShownMessage completedBox();
ShownMessage fileOutputFailedBox();

class FixedPaths : public PathBoxes {
public:
    QString favorites;
    QString output;
    QString favoriteText() const override { return favorites; }
    QString outputText() const override { return output; }
};

// A scratch folder, removed with everything in it when the test ends.
class TempTree {
public:
    TempTree();
    QString path() const { return dir_.path(); }
    QString path(const QString& relative) const { return dir_.filePath(relative); }
    QString folder(const QString& relative) const;
    QString file(const QString& relative, const QByteArray& content) const;
    QString shortcut(const QString& relative, const QString& url) const;
    QString symlink(const QString& target, const QString& relative) const;

private:
    QTemporaryDir dir_;
};

QByteArray readBytes(const QString& path);
QByteArray shortcutBytes(const QString& url);
// The tree fixtures and expected pages kept with the tests.
QString dataPath(const QString& relative);
QString pageFile(const QString& outputFolder);

// The page bytes as glibc's own CP932 converter makes them, with CR LF line ends;
// an independent reference for what the stream writes.
QByteArray cp932Lines(const QString& utf8Lines);

// The number of the ScriptError that `action` raised, or 0 when it raised none.
int errorNumberOf(const std::function<void()>& action);

// Runs with another working folder, restored at the end.
class WorkingFolder {
public:
    explicit WorkingFolder(const QString& path);
    ~WorkingFolder();

private:
    QString previous_;
};

} // namespace markroll::test
