#include "game/program.h"
#include "probe.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Program program(app);
    FirstPaintProbe probe(&program.mainWindow());
    program.mainWindow().show();
    return app.exec();
}
