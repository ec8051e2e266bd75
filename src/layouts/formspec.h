#pragma once

#include <QColor>
#include <QString>
#include <Qt>
#include <optional>
#include <vector>

// A window described as data: its controls with positions and sizes in
// twips, fonts in points and colours as RGB. buildControls() turns a table
// into widgets; the layout tests walk the same tables.

enum class ControlKind { Label, Button, Frame, TextBox };

struct FontSpec
{
    double points = 0; // 0: the window's font
    bool bold = false;
};

struct ControlSpec
{
    QString name; // object name; array elements read "mondai(3)"
    ControlKind kind = ControlKind::Label;
    QString caption;
    int left = 0, top = 0, width = 0, height = 0; // twips, relative to the parent
    FontSpec font;
    std::optional<QColor> text; // caption colour; none: the desktop's default
    std::optional<QColor> back; // background; none: the parent's
    Qt::Alignment align = Qt::AlignLeft;
    bool autoSize = false; // the label fits its caption, keeping its top-left corner
    QString parent;        // a frame of the same table; empty: the client area
};

// A straight line from (x1, y1) to (x2, y2) in twips, drawn in front of the
// controls it crosses.
struct LineSpec
{
    QString name;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    QColor color = Qt::black;
    int pixels = 1; // pen width
};

struct FormSpec
{
    QString name;
    QString caption;
    int width = 0, height = 0; // client area, twips
    QColor back;
    FontSpec font; // 0 points: the desktop's font
    std::vector<ControlSpec> controls;
    std::vector<LineSpec> lines;
};

// Rows of a table, one call a control.
ControlSpec labelSpec(const QString &name, const QString &caption, int left, int top, int width,
                      int height, FontSpec font = {}, std::optional<QColor> text = {},
                      std::optional<QColor> back = {}, Qt::Alignment align = Qt::AlignLeft);
ControlSpec controlSpec(ControlKind kind, const QString &name, const QString &caption, int left,
                        int top, int width, int height, FontSpec font = {});

// Index names of control arrays: arrayName("mondai", 3) == "mondai(3)".
QString arrayName(const QString &array, int index);
