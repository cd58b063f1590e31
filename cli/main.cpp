#include "CliRun.h"

#include <QCoreApplication>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    return markroll::runCli(QCoreApplication::arguments());
}
