#include "game/program.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Program program(app);
    program.mainWindow().show();
    return app.exec();
}
