#pragma once

#include "layouts/formspec.h"

#include <QString>
#include <QWidget>

// Creates the controls and lines of a table as children of the client
// area, and gives the client area its size, colour and font.
void buildControls(const FormSpec &form, QWidget *client);

// Gives the built controls of a table the places, sizes and fonts of
// another table with the same controls, and the client area its size.
void placeControls(const FormSpec &form, QWidget *client);

// The font of a control: its own, or else the window's (0 points: the
// desktop's).
QFont fontFor(const FontSpec &font, const FontSpec &windowFont);

// The control of a built window by its object name; never null for a
// name of the window's table.
template <typename T> T *control(QWidget *client, const QString &name)
{
    T *found = client->findChild<T *>(name);
    Q_ASSERT_X(found, "control", qPrintable(name));
    return found;
}
