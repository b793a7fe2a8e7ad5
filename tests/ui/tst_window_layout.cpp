// The window as the user sees it: places, sizes, fonts, captions, colours, borders,
// justification, names for assistive technology, tab order and the first focus.

#include "DrawnForm.h"
#include "FicheTestSupport.h"
#include "LineGrid.h"

#include <QAccessible>
#include <QComboBox>
#include <QFile>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

class WindowLayoutTest : public QObject, private FicheTest::WindowFixture {
    Q_OBJECT

private slots:
    void initTestCase();
    void window();
    void controls_data();
    void controls();
    void captions();
    void pictures();
    void justification_data();
    void justification();
    void valueBoxesFramedOthersNot();
    void coloursFromThe3DHighlight();
    void accessibleNames_data();
    void accessibleNames();
    void valueBoxesReadTheirValue();
    void noDefaultButton();
    void firstFocusAndTabOrder();
    void referenceBoxKeepsTypedText();

private:
    QWidget *control(const QString &name) const;
};

void WindowLayoutTest::initTestCase()
{
    // Shown by the tests that need it: the window is placed before it first shows.
    openWindow(FicheTest::ProductColumns + QStringLiteral("\nV10\tVis\t3\t1.5\nE20\tÉcrou\t5\t0.25\n"),
               FicheTest::frenchSettings(), Showing::Hidden);
}

QWidget *WindowLayoutTest::control(const QString &name) const
{
    return m_form->findChild<QWidget *>(name, Qt::FindDirectChildrenOnly);
}

void WindowLayoutTest::window()
{
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Fiche Produit"));
    QCOMPARE(m_form->size() * FicheTest::TwipsPerPixel, FicheTest::DrawnClientTwips);
    QCOMPARE(m_form->minimumSize(), m_form->maximumSize());  // the layout never follows a resize
    QCOMPARE(m_form->geometry().center(), m_form->screen()->availableGeometry().center());
}

// Places and sizes as drawn (in logical pixels, twips ÷ 15), and fonts as requested and as
// found.
void WindowLayoutTest::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<double>("points");  // 0: the window's own font
    QTest::addColumn<bool>("bold");
    for (const FicheTest::DrawnControl &drawn : FicheTest::DrawnControls)
        QTest::newRow(drawn.name) << QString::fromLatin1(drawn.name) << drawn.twips << drawn.points << drawn.bold;
}

void WindowLayoutTest::controls()
{
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    QFETCH(double, points);
    QFETCH(bool, bold);

    QWidget *widget = control(name);
    QVERIFY2(widget, qPrintable(name));
    QCOMPARE(FicheTest::inTwips(widget->geometry()), twips);
    QVERIFY(widget->isVisibleTo(m_form.get()));
    QVERIFY(widget->isEnabled());

    const QFont font = widget->font();
    if (points == 0) {
        QCOMPARE(font, m_form->font());
        return;
    }
    QCOMPARE(font.family(), QStringLiteral("Arial"));
    QCOMPARE(font.pointSizeF(), points);
    QCOMPARE(font.weight(), bold ? QFont::Bold : QFont::Normal);
    QVERIFY(!font.italic() && !font.underline() && !font.strikeOut());
    // Arial itself, or its metric twin where Arial is not installed.
    const QString found = QFontInfo(font).family();
    QVERIFY2(found == QStringLiteral("Arial") || found == QStringLiteral("Liberation Sans"), qPrintable(found));
}

void WindowLayoutTest::captions()
{
    QCOMPARE(m_ui.fermer->text(), QStringLiteral("Fermer"));
    QCOMPARE(m_ui.Nouveau->text(), QStringLiteral("Nouveau"));
    QCOMPARE(m_ui.Label1->text(), QStringLiteral("Nombre : "));
    QCOMPARE(m_ui.Label3->text(), QStringLiteral("Total :"));
    QVERIFY(m_ui.haut->text().isEmpty());
    QVERIFY(m_ui.bas->text().isEmpty());
}

void WindowLayoutTest::pictures()
{
    if (!QFile::exists(QStringLiteral(":/icons/fleche-haut.svg")))
        QSKIP("this build embeds no icons");
    QVERIFY(!m_form->windowIcon().isNull());
    QVERIFY(!m_ui.haut->icon().isNull());
    QVERIFY(!m_ui.bas->icon().isNull());
    // Each arrow shows its own picture: the down arrow is not the up arrow.
    const QImage up = m_ui.haut->icon().pixmap(24, 24).toImage();
    const QImage down = m_ui.bas->icon().pixmap(24, 24).toImage();
    QVERIFY(up != down);
}

void WindowLayoutTest::justification_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("horizontal");

    QTest::newRow("desi") << "desi" << int(Qt::AlignLeft);
    QTest::newRow("qte") << "qte" << int(Qt::AlignHCenter);
    QTest::newRow("remise") << "remise" << int(Qt::AlignHCenter);
    QTest::newRow("prixvente") << "prixvente" << int(Qt::AlignRight);
    QTest::newRow("total") << "total" << int(Qt::AlignRight);
    QTest::newRow("Label1") << "Label1" << int(Qt::AlignRight);
    QTest::newRow("nbr") << "nbr" << int(Qt::AlignRight);
    QTest::newRow("Label3") << "Label3" << int(Qt::AlignRight);
    QTest::newRow("totaux") << "totaux" << int(Qt::AlignRight);
}

void WindowLayoutTest::justification()
{
    QFETCH(QString, name);
    QFETCH(int, horizontal);
    QWidget *widget = control(name);
    Qt::Alignment alignment;
    if (auto *field = qobject_cast<QLineEdit *>(widget))
        alignment = field->alignment();
    else if (auto *label = qobject_cast<QLabel *>(widget))
        alignment = label->alignment();
    QVERIFY2(widget, qPrintable(name));
    QCOMPARE(int(alignment & Qt::AlignHorizontal_Mask), horizontal);
}

void WindowLayoutTest::valueBoxesFramedOthersNot()
{
    for (QLabel *box : {m_ui.nbr, m_ui.totaux}) {
        QCOMPARE(box->frameShape(), QFrame::Box);
        QCOMPARE(box->frameShadow(), QFrame::Plain);
        QCOMPARE(box->lineWidth(), 1);
    }
    for (QLabel *caption : {m_ui.Label1, m_ui.Label3})
        QCOMPARE(caption->frameShape(), QFrame::NoFrame);
}

void WindowLayoutTest::coloursFromThe3DHighlight()
{
    const QColor highlight = QApplication::palette().color(QPalette::Light);
    QCOMPARE(m_form->palette().color(QPalette::Window), highlight);
    for (QLabel *label : {m_ui.Label1, m_ui.nbr, m_ui.Label3, m_ui.totaux}) {
        QVERIFY(label->autoFillBackground());
        QCOMPARE(label->palette().color(QPalette::Window), highlight);
    }
    for (QPushButton *button : {m_ui.fermer, m_ui.Nouveau, m_ui.haut, m_ui.bas})
        QCOMPARE(button->palette().color(QPalette::Button), highlight);
    // The text boxes keep the platform's colours.
    QCOMPARE(m_ui.qte->palette().color(QPalette::Base), QApplication::palette().color(QPalette::Base));
}

void WindowLayoutTest::accessibleNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("accessibleName");

    QTest::newRow("Ref") << "Ref"
                         << "Référence";
    QTest::newRow("desi") << "desi"
                          << "Désignation";
    QTest::newRow("qte") << "qte"
                         << "Quantité";
    QTest::newRow("prixvente") << "prixvente"
                               << "Prix de vente";
    QTest::newRow("remise") << "remise"
                            << "Remise";
    QTest::newRow("total") << "total"
                           << "Total de la ligne";
    QTest::newRow("fermer") << "fermer"
                            << "Fermer";
    QTest::newRow("Nouveau") << "Nouveau"
                             << "Nouveau";
    QTest::newRow("haut") << "haut"
                          << "Monter la ligne";
    QTest::newRow("bas") << "bas"
                         << "Descendre la ligne";
    QTest::newRow("G") << "G"
                       << "Lignes de la fiche";
}

void WindowLayoutTest::accessibleNames()
{
    QFETCH(QString, name);
    QFETCH(QString, accessibleName);
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(control(name));
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Name), accessibleName);
}

void WindowLayoutTest::valueBoxesReadTheirValue()
{
    for (QLabel *box : {m_ui.nbr, m_ui.totaux}) {
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(box);
        QVERIFY(accessible);
        QCOMPARE(accessible->text(QAccessible::Name), box->text());
    }
    const QString before = m_ui.nbr->text();
    m_ui.nbr->setText(QStringLiteral("42"));
    QCOMPARE(QAccessible::queryAccessibleInterface(m_ui.nbr)->text(QAccessible::Name), QStringLiteral("42"));
    m_ui.nbr->setText(before);
}

void WindowLayoutTest::noDefaultButton()
{
    for (QPushButton *button : {m_ui.fermer, m_ui.Nouveau, m_ui.haut, m_ui.bas}) {
        QVERIFY2(!button->isDefault(), qPrintable(button->objectName()));
        QVERIFY2(!button->autoDefault(), qPrintable(button->objectName()));
    }
}

void WindowLayoutTest::firstFocusAndTabOrder()
{
    FicheTest::showActive(*m_form);
    QCOMPARE(QApplication::focusWidget(), m_ui.fermer);

    const QList<QWidget *> order{m_ui.Ref, m_ui.qte,  m_ui.prixvente, m_ui.remise, m_ui.total, m_ui.desi,
                                 m_ui.bas, m_ui.haut, m_ui.Nouveau,   m_ui.G,      m_ui.fermer};
    for (QWidget *expected : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), expected);
    }
    m_form->hide();
}

void WindowLayoutTest::referenceBoxKeepsTypedText()
{
    FicheTest::showActive(*m_form);
    QComboBox *ref = m_ui.Ref;
    ref->setFocus();
    QCOMPARE(ref->count(), 2);

    // "V" begins "V10": nothing is completed.
    QTest::keyClicks(ref, QStringLiteral("V"));
    QCOMPARE(ref->currentText(), QStringLiteral("V"));
    // Enter never adds the text to the list, whether or not it is a reference.
    QTest::keyClick(ref, Qt::Key_Return);
    QCOMPARE(ref->count(), 2);
    QCOMPARE(ref->itemText(0), QStringLiteral("V10"));
    QCOMPARE(ref->itemText(1), QStringLiteral("E20"));
    QCOMPARE(ref->currentText(), QStringLiteral("V"));
    ref->setFocus();
    ref->setEditText(QString());
    QTest::keyClicks(ref, QStringLiteral("V10"));
    QTest::keyClick(ref, Qt::Key_Return);
    QCOMPARE(ref->count(), 2);
    QCOMPARE(ref->currentIndex(), -1);  // typed, not chosen from the list
    m_form->hide();
}

QTEST_MAIN(WindowLayoutTest)
#include "tst_window_layout.moc"
