#include "probe.h"

#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("ヒョウミ1"));
    FirstPaintProbe probe(&label);
    label.show();
    return app.exec();
}
