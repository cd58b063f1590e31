#include "app/MainWindow.h"
#include "app/ProgramSetup.h"
#include "app/QuitOnTermination.h"
#include "app/QtFolderPicker.h"
#include "app/QtMessageBoxes.h"
#include "platform/files/StandardStreams.h"
#include "platform/files/WriteSignals.h"
#include "platform/LocalHost.h"

#include <QApplication>

namespace {

int runWindow(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Markroll"));
    markroll::quitOnTermination(app);
    const markroll::ProgramSetup setup;

    markroll::LocalHost host;
    markroll::QtMessageBoxes boxes;
    markroll::QtFolderPicker picker;
    markroll::MainWindow window({boxes, picker, host});
    boxes.setOwner(&window);
    window.show();
    return QApplication::exec();
}

} // namespace

// The window is the program: it reads no command line of its own and saves
// nothing when it closes.
int main(int argc, char* argv[])
{
    // Qt writes its warnings to standard error: never into a file of ours.
    markroll::openClosedStandardStreams();
    markroll::failWritesInsteadOfSignals();
    return runWindow(argc, argv);
}
