// The window at the screen scale CTest sets in QT_SCALE_FACTOR (1, 1.5 or 2): every control
// keeps its place and size in proportion to the window, the arrows are painted on their
// buttons, and every icon is drawn from our SVG for the screen's own pixels, never
// enlarged from a small picture.

#include "DrawnForm.h"
#include "FicheTestSupport.h"
#include "IconPictures.h"
#include "LineGrid.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cmath>

using namespace IconPictures;

namespace {

bool isStronglyBlue(QRgb pixel)
{
    return qBlue(pixel) > qRed(pixel) + 60 && qBlue(pixel) > qGreen(pixel) + 30;
}

// The smallest rectangle holding the strongly blue pixels of `area` in `image`.
QRect blueBounds(const QImage &image, const QRect &area)
{
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (isStronglyBlue(image.pixel(x, y)))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

QRect opaqueBounds(const QImage &image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) >= 128)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

QIcon iconOf(const QImage &picture, qreal scale)
{
    QPixmap pixmap = QPixmap::fromImage(picture);
    pixmap.setDevicePixelRatio(scale);
    return QIcon(pixmap);
}

}  // namespace

class HiDpiTest : public QObject, private FicheTest::WindowFixture {
    Q_OBJECT

private slots:
    void initTestCase();
    void scaleIsInEffect();
    void controlsKeepTheirPlaces();
    void arrowsArePaintedOnTheirButtons_data();
    void arrowsArePaintedOnTheirButtons();
    void arrowIconsAreDrawnForTheScreenPixels_data();
    void arrowIconsAreDrawnForTheScreenPixels();
    void windowIconIsDrawnForTheScreenPixels();

private:
    QPushButton *arrow(const QString &name) const;
    int devicePixels(int logical) const { return int(std::lround(logical * m_scale)); }

    qreal m_scale = 1;
};

void HiDpiTest::initTestCase()
{
    m_scale = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble();
    openWindow(FicheTest::ProductColumns + QStringLiteral("\nV10\tVis\t3\t1.5\nE20\tÉcrou\t5\t0.25\n"));
}

QPushButton *HiDpiTest::arrow(const QString &name) const
{
    return name == u"haut" ? m_ui.haut : m_ui.bas;
}

// Without this the other checks would prove nothing about scaled screens.
void HiDpiTest::scaleIsInEffect()
{
    QCOMPARE(m_form->devicePixelRatioF(), m_scale);
    const QPixmap shot = m_form->grab();
    QCOMPARE(shot.size(), QSize(devicePixels(m_form->width()), devicePixels(m_form->height())));
}

// Logical pixels are the form's twips ÷ 15 at every scale: Qt alone turns them into the
// screen's pixels, so each control keeps its share of the window.
void HiDpiTest::controlsKeepTheirPlaces()
{
    QCOMPARE(m_form->size() * FicheTest::TwipsPerPixel, FicheTest::DrawnClientTwips);
    for (const FicheTest::DrawnControl &drawn : FicheTest::DrawnControls) {
        const auto *control = m_form->findChild<QWidget *>(QLatin1String(drawn.name), Qt::FindDirectChildrenOnly);
        QVERIFY2(control, drawn.name);
        QCOMPARE(FicheTest::inTwips(control->geometry()), drawn.twips);
    }
}

void HiDpiTest::arrowsArePaintedOnTheirButtons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("drawing");
    QTest::newRow("bas") << "bas"
                         << "fleche-bas";
    QTest::newRow("haut") << "haut"
                          << "fleche-haut";
}

// In the window as the screen shows it, each arrow sits centred on its button, as large
// as its drawing at the button's icon size times the scale.
void HiDpiTest::arrowsArePaintedOnTheirButtons()
{
    QFETCH(QString, button);
    QFETCH(QString, drawing);
    const QPushButton *target = arrow(button);
    const QImage shot = m_form->grab().toImage();
    const QRect buttonRect = target->geometry();
    const QRect onScreen(devicePixels(buttonRect.x()), devicePixels(buttonRect.y()), devicePixels(buttonRect.width()),
                         devicePixels(buttonRect.height()));
    const QRect painted = blueBounds(shot, onScreen & shot.rect());
    QVERIFY2(!painted.isEmpty(), "no blue arrow on the button");

    const QPointF centre = QRectF(painted).center() / m_scale;
    QVERIFY2(std::abs(centre.x() - QRectF(buttonRect).center().x()) <= 1.5 &&
                 std::abs(centre.y() - QRectF(buttonRect).center().y()) <= 1.5,
             qPrintable(QStringLiteral("arrow centred at %1,%2").arg(centre.x()).arg(centre.y())));
    const QRect expected = opaqueBounds(drawn(drawing, devicePixels(target->iconSize().height())));
    QVERIFY2(std::abs(painted.height() - expected.height()) <= 2,
             qPrintable(QStringLiteral("arrow %1 px high, drawing %2").arg(painted.height()).arg(expected.height())));
}

void HiDpiTest::arrowIconsAreDrawnForTheScreenPixels_data()
{
    arrowsArePaintedOnTheirButtons_data();
}

// The button as painted must be exactly the button painting our SVG drawn at the screen's
// pixel size; the same button with the 16-pixel rendering enlarged must look different,
// or the comparison could not tell sharp from blurred.
void HiDpiTest::arrowIconsAreDrawnForTheScreenPixels()
{
    QFETCH(QString, button);
    QFETCH(QString, drawing);
    QPushButton *target = arrow(button);
    const int pixels = devicePixels(target->iconSize().width());
    const QIcon original = target->icon();
    const QImage painted = target->grab().toImage();

    target->setIcon(iconOf(drawn(drawing, pixels), m_scale));
    const QImage sharp = target->grab().toImage();
    const QImage small(QStringLiteral(":/icons/%1-16-32bit.png").arg(drawing));
    target->setIcon(iconOf(small.scaled(pixels, pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation), m_scale));
    const QImage enlarged = target->grab().toImage();
    target->setIcon(original);

    QVERIFY2(largestDifference(painted, sharp) <= 2, "the arrow is not drawn from the SVG at the screen's size");
    QVERIFY(largestDifference(sharp, enlarged) > 40);
}

void HiDpiTest::windowIconIsDrawnForTheScreenPixels()
{
    for (int size : {16, 32, 48}) {
        const QPixmap icon = m_form->windowIcon().pixmap(QSize(size, size), m_scale);
        const int pixels = devicePixels(size);
        QCOMPARE(icon.size(), QSize(pixels, pixels));
        QVERIFY2(largestDifference(icon.toImage(), drawn(QStringLiteral("fiche-produit"), pixels)) <= 2,
                 qPrintable(QStringLiteral("window icon at %1 px is not the drawing").arg(size)));
    }
}

QTEST_MAIN(HiDpiTest)
#include "tst_hidpi.moc"
