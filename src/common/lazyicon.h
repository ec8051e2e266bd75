#pragma once

#include <QIcon>
#include <QIconEngine>
#include <QList>
#include <optional>
#include <utility>

// An icon whose pictures are read from their files only when it is first
// asked for one: a platform that never draws the window icon (offscreen,
// Wayland, which take the icon from the desktop entry) never decodes them.
// Once read, it answers exactly as a QIcon made of the same files.
class LazyIcon final : public QIconEngine
{
public:
    using File = std::pair<QString, QSize>; // a picture and its size
    explicit LazyIcon(const QList<File> &files) : m_files(files) { }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override;
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QIconEngine *clone() const override { return new LazyIcon(m_files); }
    QString key() const override { return QStringLiteral("LazyIcon"); }

private:
    QIcon &icon();

    QList<File> m_files;
    std::optional<QIcon> m_icon;
};
