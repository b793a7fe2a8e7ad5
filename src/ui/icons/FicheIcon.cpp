#include "FicheIcon.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <iterator>

namespace {

constexpr int kRenderedSizes[] = {16, 24, 32, 48};

class FicheIconEngine final : public QIconEngine {
public:
    FicheIconEngine(const QString &name, int screenDepth)
        : m_name(name), m_screenDepth(screenDepth), m_drawing(QStringLiteral(":/icons/%1.svg").arg(name))
    {}

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        // Active is how a focused button shows its icon: unchanged, as with Normal. The
        // disabled and selected looks are the style's, made from the drawing.
        if (mode == QIcon::Normal || mode == QIcon::Active) {
            QPixmap rendered = rendering(size);
            if (!rendered.isNull())
                return rendered;
        }
        return m_drawing.pixmap(size, 1.0, mode, state);
    }

    // QIcon::paint has already fitted `rect` to the icon's shape; only the pixel size is ours.
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device()->devicePixelRatio();
        painter->drawPixmap(rect, pixmap(rect.size() * ratio, mode, state));
    }

    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return m_drawing.actualSize(size, mode, state);
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (int side : kRenderedSizes)
            sizes.append(QSize(side, side));
        return sizes;
    }

    QString key() const override { return QStringLiteral("FicheIconEngine"); }
    QString iconName() override { return m_name; }
    bool isNull() override { return m_drawing.isNull(); }
    QIconEngine *clone() const override { return new FicheIconEngine(m_name, m_screenDepth); }

private:
    QPixmap rendering(const QSize &size) const
    {
        if (size.width() != size.height() ||
            std::find(std::begin(kRenderedSizes), std::end(kRenderedSizes), size.width()) == std::end(kRenderedSizes))
            return {};
        const int depth = m_screenDepth <= 8 ? 8 : 32;
        return QPixmap(QStringLiteral(":/icons/%1-%2-%3bit.png").arg(m_name).arg(size.width()).arg(depth));
    }

    QString m_name;
    int m_screenDepth;
    QIcon m_drawing;
};

}  // namespace

QIcon ficheIcon(const QString &name, int screenDepth)
{
    return QIcon(new FicheIconEngine(name, screenDepth));
}

QIcon ficheIcon(const QString &name)
{
    return ficheIcon(name, QPixmap::defaultDepth());
}
