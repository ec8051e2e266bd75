#include "layouts/formbuilder.h"

#include "common/twips.h"
#include "layouts/label.h"
#include "layouts/linewidget.h"

#include <QApplication>
#include <QGroupBox>
#include <QHash>
#include <QLineEdit>
#include <QPushButton>

QString arrayName(const QString &array, int index)
{
    return QStringLiteral("%1(%2)").arg(array).arg(index);
}

ControlSpec labelSpec(const QString &name, const QString &caption, int left, int top, int width,
                      int height, FontSpec font, std::optional<QColor> text,
                      std::optional<QColor> back, Qt::Alignment align)
{
    ControlSpec spec
        = controlSpec(ControlKind::Label, name, caption, left, top, width, height, font);
    spec.text = text;
    spec.back = back;
    spec.align = align;
    return spec;
}

ControlSpec controlSpec(ControlKind kind, const QString &name, const QString &caption, int left,
                        int top, int width, int height, FontSpec font)
{
    ControlSpec spec;
    spec.kind = kind;
    spec.name = name;
    spec.caption = caption;
    spec.left = left;
    spec.top = top;
    spec.width = width;
    spec.height = height;
    spec.font = font;
    return spec;
}

QFont fontFor(const FontSpec &font, const FontSpec &windowFont)
{
    if (font.points > 0)
        return gothicFont(font.points, font.bold);
    if (windowFont.points > 0)
        return gothicFont(windowFont.points, windowFont.bold);
    return QApplication::font();
}

static void setColours(QWidget *widget, const ControlSpec &spec)
{
    QPalette palette = widget->palette();
    if (spec.text) {
        palette.setColor(QPalette::WindowText, *spec.text);
        palette.setColor(QPalette::Text, *spec.text);
    }
    if (spec.back) {
        palette.setColor(QPalette::Window, *spec.back);
        palette.setColor(QPalette::Base, *spec.back);
    }
    widget->setPalette(palette);
}

static QWidget *create(const ControlSpec &spec, QWidget *parent)
{
    switch (spec.kind) {
    case ControlKind::Label: {
        auto *label = new Label(parent);
        label->setText(spec.caption);
        label->setAlignment(spec.align | Qt::AlignTop);
        return label;
    }
    case ControlKind::Button: {
        auto *button = new QPushButton(spec.caption, parent);
        button->setAutoDefault(false);
        button->setDefault(false);
        button->setFocusPolicy(Qt::StrongFocus);
        return button;
    }
    case ControlKind::Frame: {
        auto *frame = new QGroupBox(spec.caption, parent);
        frame->setAutoFillBackground(spec.back.has_value());
        frame->setFocusPolicy(Qt::NoFocus);
        return frame;
    }
    case ControlKind::TextBox: {
        auto *box = new QLineEdit(spec.caption, parent);
        box->setFrame(true);
        return box;
    }
    }
    return nullptr;
}

void buildControls(const FormSpec &form, QWidget *client)
{
    client->setObjectName(form.name);
    client->setFixedSize(twips(form.width), twips(form.height));
    client->setAutoFillBackground(true);
    QPalette palette = client->palette();
    palette.setColor(QPalette::Window, form.back);
    client->setPalette(palette);
    client->setFont(fontFor(form.font, FontSpec{}));

    QHash<QString, QWidget *> parents;
    for (const ControlSpec &spec : form.controls) {
        QWidget *parent = spec.parent.isEmpty() ? client : parents.value(spec.parent);
        Q_ASSERT_X(parent, "buildControls", qPrintable(spec.name));
        QWidget *widget = create(spec, parent);
        widget->setObjectName(spec.name);
        widget->setFont(fontFor(spec.font, form.font));
        setColours(widget, spec);
        widget->setGeometry(twipsRect(spec.left, spec.top, spec.width, spec.height));
        if (auto *label = qobject_cast<Label *>(widget))
            label->setAutoSize(spec.autoSize);
        parents.insert(spec.name, widget);
    }
    for (const LineSpec &spec : form.lines) {
        auto *line
            = new LineWidget(QLine(twips(spec.x1), twips(spec.y1), twips(spec.x2), twips(spec.y2)),
                             spec.color, spec.pixels, client);
        line->setObjectName(spec.name);
        line->raise();
    }
}
