#include "layouts/formbuilder.h"

#include "common/twips.h"
#include "layouts/commandbutton.h"
#include "layouts/label.h"
#include "layouts/linewidget.h"

#include <QApplication>
#include <QGroupBox>
#include <QHash>
#include <QLineEdit>
#include <limits>

QString arrayName(const QString &array, int index)
{
    return QStringLiteral("%1(%2)").arg(array).arg(index);
}

ControlSpec labelSpec(const QString &name, const QString &caption, int left, int top, int width,
                      int height, FontSpec font, std::optional<QColor> text,
                      std::optional<QColor> back, Qt::Alignment align)
{
    ControlSpec row
        = controlSpec(ControlKind::Label, name, caption, left, top, width, height, font);
    row.text = text;
    row.back = back;
    row.align = align;
    return row;
}

ControlSpec controlSpec(ControlKind kind, const QString &name, const QString &caption, int left,
                        int top, int width, int height, FontSpec font)
{
    ControlSpec row;
    row.kind = kind;
    row.name = name;
    row.caption = caption;
    row.left = left;
    row.top = top;
    row.width = width;
    row.height = height;
    row.font = font;
    return row;
}

QFont fontFor(const FontSpec &font, const FontSpec &windowFont)
{
    if (font.points > 0)
        return gothicFont(font.points, font.bold);
    if (windowFont.points > 0)
        return gothicFont(windowFont.points, windowFont.bold);
    return QApplication::font();
}

static void setColours(QWidget *widget, const ControlSpec &row)
{
    QPalette palette = widget->palette();
    if (row.text) {
        palette.setColor(QPalette::WindowText, *row.text);
        palette.setColor(QPalette::Text, *row.text);
    }
    if (row.back) {
        palette.setColor(QPalette::Window, *row.back);
        palette.setColor(QPalette::Base, *row.back);
    }
    widget->setPalette(palette);
}

static QWidget *create(const ControlSpec &row, QWidget *parent)
{
    switch (row.kind) {
    case ControlKind::Label: {
        auto *label = new Label(parent);
        label->setText(row.caption);
        label->setAlignment(row.align | Qt::AlignTop);
        return label;
    }
    case ControlKind::Button:
        return new CommandButton(row.caption, parent);
    case ControlKind::Frame: {
        auto *frame = new QGroupBox(row.caption, parent);
        frame->setAutoFillBackground(row.back.has_value());
        frame->setFocusPolicy(Qt::NoFocus);
        return frame;
    }
    case ControlKind::TextBox: {
        auto *box = new QLineEdit(row.caption, parent);
        box->setFrame(true);
        // What is typed has no limit of its own (Qt's default is 32767).
        box->setMaxLength(std::numeric_limits<int>::max());
        return box;
    }
    }
    return nullptr;
}

void buildControls(const FormSpec &form, QWidget *client)
{
    client->setObjectName(form.name);
    client->setAutoFillBackground(true);
    QPalette palette = client->palette();
    palette.setColor(QPalette::Window, form.back);
    client->setPalette(palette);
    client->setFont(fontFor(form.font, FontSpec{}));

    QHash<QString, QWidget *> parents;
    for (const ControlSpec &row : form.controls) {
        QWidget *parent = row.parent.isEmpty() ? client : parents.value(row.parent);
        Q_ASSERT_X(parent, "buildControls", qPrintable(row.name));
        QWidget *widget = create(row, parent);
        widget->setObjectName(row.name);
        setColours(widget, row);
        parents.insert(row.name, widget);
    }
    placeControls(form, client);
    for (const ControlSpec &row : form.controls)
        if (auto *label = qobject_cast<Label *>(parents.value(row.name)))
            label->setAutoSize(row.autoSize);
    for (const LineSpec &row : form.lines) {
        auto *line
            = new LineWidget(QLine(twips(row.x1), twips(row.y1), twips(row.x2), twips(row.y2)),
                             row.color, row.pixels, client);
        line->setObjectName(row.name);
        line->raise();
    }
}

void placeControls(const FormSpec &form, QWidget *client)
{
    client->setFixedSize(twips(form.width), twips(form.height));
    client->setFont(fontFor(form.font, FontSpec{}));
    for (const ControlSpec &row : form.controls) {
        auto *widget = control<QWidget>(client, row.name);
        widget->setFont(fontFor(row.font, form.font));
        widget->setGeometry(twipsRect(row.left, row.top, row.width, row.height));
    }
}
