#pragma once

#include <QByteArray>
#include <QList>
#include <QRect>
#include <QString>
#include <optional>

class QWidget;

// What a screen reader is told. On the desktop it reads the windows
// through the system's own accessibility (AT-SPI, UI Automation), and the
// texts of the game are in the controls' names and descriptions. In the
// browser the page holds a copy of the same accessible objects as elements
// (src/web/mirror.js), kept in step with the program, and a live region
// that says what happens.
namespace ScreenReader {

// Starts the page's copy (the browser); nothing elsewhere.
void install();

// Says `text` once, politely, where the platform has a place for it; on
// the desktop the same text is read from the controls.
void announce(const QString &text);

// Widgets that show one table: each row is its header, then its cells. The
// desktop's accessible objects stay as they are; the page's copy reads them
// as a table of rows with row headers.
void markTable(const QList<QList<QWidget *>> &rows);

// One accessible object as the page's copy has it.
struct Node
{
    QString id;   // the program's accessible id; a table's rows have their own
    QString role; // a WAI-ARIA role, or "text"
    QString name;
    QString description;
    QString value;             // a field's text, a message box's
    std::optional<QRect> rect; // on the screen; a table's rows have none
    bool disabled = false;
    bool inert = false;          // a window behind a modal one
    bool expanded = false;       // a menu bar's item whose menu is open
    std::optional<bool> checked; // where it can be checked
    QList<Node> kids;
};

// The windows on show, the menus open over them last, and the id of the
// node that has the focus.
struct Tree
{
    QList<Node> windows;
    QString focus;

    // As JSON: each node's fields by their names above, its place as "x",
    // "y", "w", "h"; fields without a value left out.
    QByteArray json() const;
};

Tree snapshot();

} // namespace ScreenReader
