#include "common/platform.h"
#include "common/randomsource.h"
#include "common/startup.h"
#include "game/form1.h"
#include "results/module1.h"
#include "results/rankinglocation.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    setUpApplication(app);

    Module1 module;
    DesktopPlatform platform;
    ClockRandom random;
    Form1 form(module, platform, random, RankingLocation::standard());
    form.show();
    return app.exec();
}
