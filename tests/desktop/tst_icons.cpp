// Our icons as the program carries them: the renderings made at build time must be the
// drawings at their sizes, in full colour and in 256 colours; the icons must use them at
// their sizes and the drawing at any other; and the window must show our pictures, blue
// arrows pointing their way, even where the user's icon theme has arrows of its own.

#include "FicheIcon.h"
#include "FicheTestSupport.h"
#include "IconPictures.h"

#include <QFile>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace IconPictures;

class IconsTest : public QObject {
    Q_OBJECT

private slots:
    void renderingsAreTheDrawing_data();
    void renderingsAreTheDrawing();
    void iconShowsRenderingsAtTheirSizesAndTheDrawingElsewhere_data();
    void iconShowsRenderingsAtTheirSizesAndTheDrawingElsewhere();
    void windowShowsOurPicturesWhateverTheIconTheme();

private:
    static QImage rendering(const QString &drawing, int size, int depth);
};

QImage IconsTest::rendering(const QString &drawing, int size, int depth)
{
    return QImage(QStringLiteral(":/icons/%1-%2-%3bit.png").arg(drawing).arg(size).arg(depth));
}

void IconsTest::renderingsAreTheDrawing_data()
{
    QTest::addColumn<QString>("drawing");
    QTest::addColumn<int>("size");
    for (const char *drawing : {"fiche-produit", "fleche-haut", "fleche-bas"})
        for (int size : {16, 24, 32, 48})
            QTest::addRow("%s %d", drawing, size) << QString::fromLatin1(drawing) << size;
}

// Full colour: the drawing itself. 256 colours: a palette image whose pixels are either
// opaque or transparent, and whose opaque pixels keep the drawing's colours closely.
void IconsTest::renderingsAreTheDrawing()
{
    QFETCH(QString, drawing);
    QFETCH(int, size);
    const QImage expected = drawn(drawing, size);

    const QImage full = rendering(drawing, size, 32);
    QCOMPARE(full.size(), QSize(size, size));
    QVERIFY(full.hasAlphaChannel());
    QVERIFY2(largestDifference(full, expected) <= 2, "the 32-bit rendering is not the drawing");

    const QImage palette = rendering(drawing, size, 8);
    QCOMPARE(palette.size(), QSize(size, size));
    QCOMPARE(palette.format(), QImage::Format_Indexed8);
    QVERIFY(palette.colorCount() <= 256);
    qint64 colourError = 0;
    int opaque = 0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const QRgb pixel = palette.pixel(x, y);
            const QRgb meant = expected.pixel(x, y);
            QVERIFY2(qAlpha(pixel) == 0 || qAlpha(pixel) == 255, "partly transparent pixel");
            QCOMPARE(qAlpha(pixel) == 255, qAlpha(meant) >= 128);
            if (qAlpha(pixel) == 255) {
                colourError += std::abs(qRed(pixel) - qRed(meant)) + std::abs(qGreen(pixel) - qGreen(meant)) +
                               std::abs(qBlue(pixel) - qBlue(meant));
                ++opaque;
            }
        }
    }
    QVERIFY(opaque > 0);
    QVERIFY2(colourError / opaque <= 12, qPrintable(QStringLiteral("mean colour error %1").arg(colourError / opaque)));
}

void IconsTest::iconShowsRenderingsAtTheirSizesAndTheDrawingElsewhere_data()
{
    QTest::addColumn<int>("screenDepth");
    QTest::addColumn<int>("pixels");
    QTest::addColumn<int>("renderingDepth");  // 0: drawn from the SVG
    QTest::newRow("true colour, 24 px") << 24 << 24 << 32;
    QTest::newRow("true colour, 48 px") << 32 << 48 << 32;
    QTest::newRow("256 colours, 16 px") << 8 << 16 << 8;
    QTest::newRow("256 colours, 32 px") << 8 << 32 << 8;
    QTest::newRow("true colour, 36 px") << 24 << 36 << 0;
    QTest::newRow("true colour, 64 px") << 24 << 64 << 0;
    QTest::newRow("256 colours, 96 px") << 8 << 96 << 0;
}

void IconsTest::iconShowsRenderingsAtTheirSizesAndTheDrawingElsewhere()
{
    QFETCH(int, screenDepth);
    QFETCH(int, pixels);
    QFETCH(int, renderingDepth);
    const QString drawing = QStringLiteral("fleche-haut");
    const QImage expected = renderingDepth ? rendering(drawing, pixels, renderingDepth) : drawn(drawing, pixels);

    const QIcon icon = ficheIcon(drawing, screenDepth);
    const QImage shown = icon.pixmap(QSize(pixels, pixels), 1.0).toImage();
    QCOMPARE(shown.size(), QSize(pixels, pixels));
    QVERIFY2(largestDifference(shown, expected) <= 2, "the icon does not show the picture expected");
    // The icon's image at a higher device pixel ratio is drawn for the screen's pixels.
    const QPixmap sharp = icon.pixmap(QSize(pixels, pixels), 2.0);
    QCOMPARE(sharp.size(), QSize(2 * pixels, 2 * pixels));
}

// A theme of red arrows under every usual name: the window's arrows must stay ours.
void IconsTest::windowShowsOurPicturesWhateverTheIconTheme()
{
    QTemporaryDir themes;
    QVERIFY(themes.isValid());
    const QString theme = themes.filePath(QStringLiteral("fleches-rouges"));
    QVERIFY(QDir().mkpath(theme + QStringLiteral("/48x48/actions")));
    QFile index(theme + QStringLiteral("/index.theme"));
    QVERIFY(index.open(QIODevice::WriteOnly));
    index.write("[Icon Theme]\nName=fleches-rouges\nDirectories=48x48/actions\n\n"
                "[48x48/actions]\nSize=48\nType=Fixed\n");
    index.close();
    QImage red(48, 48, QImage::Format_ARGB32);
    red.fill(Qt::red);
    for (const char *name : {"go-up", "go-down", "arrow-up", "arrow-down", "up", "down"})
        QVERIFY(red.save(theme + QStringLiteral("/48x48/actions/%1.png").arg(QLatin1String(name))));
    QIcon::setThemeSearchPaths({themes.path()});
    QIcon::setThemeName(QStringLiteral("fleches-rouges"));
    QVERIFY(!QIcon::fromTheme(QStringLiteral("go-up")).isNull());

    Form2 window(QString{});
    const FicheTest::Controls form(window);
    const QImage up = form.haut->icon().pixmap(QSize(48, 48), 1.0).toImage();
    const QImage down = form.bas->icon().pixmap(QSize(48, 48), 1.0).toImage();
    QVERIFY2(isMostlyBlue(up) && isMostlyBlue(down), "the arrows are not our blue ones");
    // An arrow is widest at its head: near the top when it points up, near the bottom when down.
    QVERIFY2(2 * opaqueWidthAt(up, 0.4) > 3 * opaqueWidthAt(up, 0.8), "haut does not point up");
    QVERIFY2(2 * opaqueWidthAt(down, 0.6) > 3 * opaqueWidthAt(down, 0.2), "bas does not point down");
    QVERIFY2(largestDifference(up, drawn(QStringLiteral("fleche-haut"), 48)) <= 2, "haut is not our drawing");
    QVERIFY2(largestDifference(down, drawn(QStringLiteral("fleche-bas"), 48)) <= 2, "bas is not our drawing");

    const QImage windowIcon = window.windowIcon().pixmap(QSize(32, 32), 1.0).toImage();
    QVERIFY2(largestDifference(windowIcon, drawn(QStringLiteral("fiche-produit"), 32)) <= 2,
             "the window icon is not our drawing");
}

QTEST_MAIN(IconsTest)
#include "tst_icons.moc"
