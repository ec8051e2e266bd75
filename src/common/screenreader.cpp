#include "common/screenreader.h"

#include <QAccessible>
#include <QApplication>
#include <QHash>
#include <QPointer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <optional>

namespace {

using Rows = QList<QList<QPointer<QWidget>>>;

QList<Rows> &tables()
{
    static QList<Rows> marked = {};
    return marked;
}

QString idOf(QAccessibleInterface *iface)
{
    return QString::number(QAccessible::uniqueId(iface));
}

// The page's role for a Qt role; empty for the containers, whose children
// stand in their place, and for what a screen reader has no use for.
QString ariaRole(QAccessible::Role role, const QAccessible::State &state)
{
    switch (role) {
    case QAccessible::Window:
    case QAccessible::Dialog:
        return QStringLiteral("dialog");
    case QAccessible::AlertMessage:
        return QStringLiteral("alertdialog");
    case QAccessible::Button:
    case QAccessible::ButtonMenu:
        return QStringLiteral("button");
    case QAccessible::CheckBox:
        return QStringLiteral("checkbox");
    case QAccessible::RadioButton:
        return QStringLiteral("radio");
    case QAccessible::StaticText:
        return QStringLiteral("text");
    case QAccessible::EditableText:
        return QStringLiteral("textbox");
    case QAccessible::MenuBar:
        return QStringLiteral("menubar");
    case QAccessible::PopupMenu:
        return QStringLiteral("menu");
    case QAccessible::MenuItem:
        return state.checkable ? QStringLiteral("menuitemcheckbox") : QStringLiteral("menuitem");
    case QAccessible::Separator:
        return QStringLiteral("separator");
    case QAccessible::Grouping:
        return QStringLiteral("group");
    case QAccessible::Table:
        return QStringLiteral("table");
    case QAccessible::Row:
        return QStringLiteral("row");
    case QAccessible::Cell:
        return QStringLiteral("cell");
    case QAccessible::ColumnHeader:
        return QStringLiteral("columnheader");
    case QAccessible::RowHeader:
        return QStringLiteral("rowheader");
    case QAccessible::List:
        return QStringLiteral("list");
    case QAccessible::ListItem:
        return QStringLiteral("listitem");
    default:
        return QString();
    }
}

class Walk
{
public:
    QList<ScreenReader::Node> windows;
    QString focus;

    void window(QAccessibleInterface *iface, bool inert)
    {
        ScreenReader::Node node
            = common(iface,
                     iface->role() == QAccessible::AlertMessage ? QStringLiteral("alertdialog")
                                                                : QStringLiteral("dialog"));
        node.inert = inert;
        node.kids = kids(iface);
        windows.append(node);
    }

    // The menus open on the screen, over the windows; an open menu's item
    // has the focus rather than its bar's.
    void finish()
    {
        windows.append(m_popups);
        if (!m_popupFocus.isEmpty())
            focus = m_popupFocus;
    }

private:
    QHash<int, bool> m_tablesDone;
    QList<ScreenReader::Node> m_popups;
    QString m_popupFocus;

    ScreenReader::Node common(QAccessibleInterface *iface, const QString &role)
    {
        const QAccessible::State state = iface->state();
        ScreenReader::Node node;
        node.id = idOf(iface);
        node.role = role;
        node.name = iface->text(QAccessible::Name);
        node.description = iface->text(QAccessible::Description);
        node.rect = iface->rect();
        if (role == QStringLiteral("textbox") || role == QStringLiteral("alertdialog"))
            node.value = iface->text(QAccessible::Value);
        node.disabled = state.disabled;
        if (state.checkable)
            node.checked = bool(state.checked);
        if (state.focused) {
            const bool inPopup = iface->role() == QAccessible::MenuItem && iface->parent()
                && iface->parent()->role() == QAccessible::PopupMenu;
            (inPopup ? m_popupFocus : focus) = node.id;
        }
        return node;
    }

    QList<ScreenReader::Node> kids(QAccessibleInterface *iface)
    {
        QList<ScreenReader::Node> list;
        for (int i = 0; i < iface->childCount(); ++i)
            if (QAccessibleInterface *child = iface->child(i))
                add(child, list);
        return list;
    }

    void add(QAccessibleInterface *iface, QList<ScreenReader::Node> &list)
    {
        const QAccessible::State state = iface->state();
        if (state.invisible)
            return;
        if (auto *widget = qobject_cast<QWidget *>(iface->object())) {
            const std::optional<int> table = tableOf(widget);
            if (table) {
                if (!m_tablesDone.contains(*table))
                    list.append(tableNode(*table));
                m_tablesDone[*table] = true;
                return;
            }
        }
        const QString role = ariaRole(iface->role(), state);
        if (role.isEmpty()) {
            list.append(kids(iface));
            return;
        }
        if (role == QStringLiteral("text") && iface->text(QAccessible::Name).isEmpty())
            return;
        ScreenReader::Node node = common(iface, role);
        // A menu that drops from the bar is a window of its own on the
        // screen: it follows the windows.
        if (iface->role() == QAccessible::MenuItem) {
            for (int i = 0; i < iface->childCount(); ++i)
                if (QAccessibleInterface *menu = iface->child(i);
                    menu && !menu->state().invisible) {
                    node.expanded = true;
                    ScreenReader::Node popup = common(menu, QStringLiteral("menu"));
                    popup.kids = kids(menu);
                    m_popups.append(popup);
                }
        } else {
            node.kids = kids(iface);
        }
        list.append(node);
    }

    static std::optional<int> tableOf(const QWidget *widget)
    {
        for (int t = 0; t < tables().size(); ++t)
            if (std::any_of(tables()[t].begin(), tables()[t].end(),
                            [widget](const auto &row) { return row.contains(widget); }))
                return t;
        return std::nullopt;
    }

    // The table where its first widget stands: a row for each row of it,
    // its header first.
    ScreenReader::Node tableNode(int t)
    {
        ScreenReader::Node table;
        table.role = QStringLiteral("table");
        QRect all;
        for (const auto &row : tables()[t]) {
            ScreenReader::Node line;
            line.role = QStringLiteral("row");
            for (const QPointer<QWidget> &widget : row) {
                QAccessibleInterface *cell
                    = widget ? QAccessible::queryAccessibleInterface(widget) : nullptr;
                if (!cell)
                    continue;
                line.kids.append(common(cell,
                                        line.kids.isEmpty() ? QStringLiteral("rowheader")
                                                            : QStringLiteral("cell")));
                if (table.id.isEmpty())
                    table.id = QStringLiteral("t") + line.kids.front().id;
                all |= cell->rect();
            }
            line.id = table.id + QStringLiteral("r") + QString::number(table.kids.size());
            table.kids.append(line);
        }
        table.rect = all;
        return table;
    }
};

// JSON's string: quoted, with its quotes, backslashes and control
// characters escaped.
void quoted(QByteArray &out, const QString &text)
{
    out += '"';
    for (const char c : text.toUtf8()) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            out += "\\u00";
            out += QByteArray::number(static_cast<unsigned char>(c), 16).rightJustified(2, '0');
        } else {
            out += c;
        }
    }
    out += '"';
}

void write(QByteArray &out, const ScreenReader::Node &node)
{
    const auto text = [&out](const char *key, const QString &value) {
        if (value.isEmpty())
            return;
        out += ",\"";
        out += key;
        out += "\":";
        quoted(out, value);
    };
    const auto flag = [&out](const char *key, bool on) {
        if (on)
            out += QByteArray(",\"") + key + "\":true";
    };
    out += "{\"id\":";
    quoted(out, node.id);
    text("role", node.role);
    text("name", node.name);
    text("description", node.description);
    text("value", node.value);
    if (node.rect)
        out += QStringLiteral(",\"x\":%1,\"y\":%2,\"w\":%3,\"h\":%4")
                   .arg(node.rect->x())
                   .arg(node.rect->y())
                   .arg(node.rect->width())
                   .arg(node.rect->height())
                   .toUtf8();
    flag("disabled", node.disabled);
    flag("inert", node.inert);
    flag("expanded", node.expanded);
    if (node.checked)
        out += *node.checked ? ",\"checked\":true" : ",\"checked\":false";
    out += ",\"kids\":[";
    for (qsizetype i = 0; i < node.kids.size(); ++i) {
        if (i)
            out += ',';
        write(out, node.kids[i]);
    }
    out += "]}";
}

} // namespace

namespace ScreenReader {

void markTable(const QList<QList<QWidget *>> &rows)
{
    Rows kept;
    for (const QList<QWidget *> &row : rows) {
        QList<QPointer<QWidget>> cells;
        for (QWidget *widget : row)
            cells.append(widget);
        kept.append(cells);
    }
    // A table whose widgets have gone is forgotten.
    tables().removeIf([](const Rows &table) {
        return std::all_of(table.begin(), table.end(), [](const auto &row) {
            return std::all_of(row.begin(), row.end(), [](const auto &w) { return w.isNull(); });
        });
    });
    tables().append(kept);
}

Tree snapshot()
{
    Walk walk;
    const QWidget *modal = QApplication::activeModalWidget();
    QList<QWidget *> shown;
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window->isVisible() && window->windowType() != Qt::Popup
            && window->windowType() != Qt::ToolTip)
            shown.append(window);
    // In the order the windows were made, as the screen's list has them.
    const QWindowList made = QGuiApplication::topLevelWindows();
    std::sort(shown.begin(), shown.end(), [&made](const QWidget *a, const QWidget *b) {
        return made.indexOf(a->windowHandle()) < made.indexOf(b->windowHandle());
    });
    for (QWidget *window : shown)
        if (QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(window))
            walk.window(iface, modal && window != modal);
    walk.finish();
    return {walk.windows, walk.focus};
}

QByteArray Tree::json() const
{
    QByteArray out = "{\"focus\":";
    quoted(out, focus);
    out += ",\"windows\":[";
    for (qsizetype i = 0; i < windows.size(); ++i) {
        if (i)
            out += ',';
        write(out, windows[i]);
    }
    return out + "]}";
}

} // namespace ScreenReader
