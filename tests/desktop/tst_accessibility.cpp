// The window as a screen reader finds it, through Qt's accessibility interfaces: every
// control that takes the focus has a French name and a description and the role of what
// it is; the entry fields and the value boxes give their current values; the grid gives
// its cells and its column headers.

#include "FicheTestSupport.h"
#include "LineGrid.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

QAccessibleInterface *accessibleOf(QObject *object)
{
    return QAccessible::queryAccessibleInterface(object);
}

// The window's controls as a screen reader finds them: the accessible children of the
// window's own accessible object.
QList<QAccessibleInterface *> controlsOf(QWidget *window)
{
    QAccessibleInterface *accessibleWindow = accessibleOf(window);
    QList<QAccessibleInterface *> controls;
    for (int i = 0; i < accessibleWindow->childCount(); ++i)
        if (QAccessibleInterface *child = accessibleWindow->child(i))
            controls.append(child);
    return controls;
}

}  // namespace

class AccessibilityTest : public QObject, private FicheTest::WindowFixture {
    Q_OBJECT

private slots:
    void initTestCase();
    void focusableControlsAreNamedAndDescribed();
    void rolesAreWhatTheControlsAre_data();
    void rolesAreWhatTheControlsAre();
    void entryFieldsGiveWhatTheyShow();
    void gridGivesCellsAndHeaders();
    void valueBoxesGiveTheirValues();
};

void AccessibilityTest::initTestCase()
{
    openWindow(FicheTest::ProductColumns +
               QStringLiteral("\nV10\tVis à bois\t3\t1.5\nE20\tÉcrou\t5\t0.25\nR30\tRondelle\t10\t0.1\n"));
}

// Found from the window as a screen reader finds them, so that a control added later
// without a name or a description is caught too.
void AccessibilityTest::focusableControlsAreNamedAndDescribed()
{
    QStringList focusable;
    for (QAccessibleInterface *control : controlsOf(m_form.get())) {
        if (!control->state().focusable)
            continue;
        const QString name = control->text(QAccessible::Name);
        const QString description = control->text(QAccessible::Description);
        const QString which = control->object()->objectName();
        QVERIFY2(!name.isEmpty(), qPrintable(which + QStringLiteral(" has no accessible name")));
        QVERIFY2(!description.isEmpty(), qPrintable(which + QStringLiteral(" has no accessible description")));
        QVERIFY2(description != name, qPrintable(which + QStringLiteral(" only repeats its name")));
        focusable << which;
    }
    focusable.sort();
    QCOMPARE(focusable, QStringList({"G", "Nouveau", "Ref", "bas", "desi", "fermer", "haut", "prixvente", "qte",
                                     "remise", "total"}));
}

void AccessibilityTest::rolesAreWhatTheControlsAre_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QAccessible::Role>("role");
    for (const char *button : {"fermer", "Nouveau", "haut", "bas"})
        QTest::newRow(button) << button << QAccessible::Button;
    for (const char *field : {"qte", "prixvente", "remise", "total", "desi"})
        QTest::newRow(field) << field << QAccessible::EditableText;
    QTest::newRow("Ref") << "Ref" << QAccessible::ComboBox;
    QTest::newRow("G") << "G" << QAccessible::Table;
    for (const char *label : {"Label1", "nbr", "Label3", "totaux"})
        QTest::newRow(label) << label << QAccessible::StaticText;
}

// The role a screen reader announces, and what its user can then do: press a button,
// write into a field (the field then shows it), read a caption or a counter, which takes
// neither the focus nor a text.
void AccessibilityTest::rolesAreWhatTheControlsAre()
{
    QFETCH(QString, control);
    QFETCH(QAccessible::Role, role);
    auto *widget = m_form->findChild<QWidget *>(control, Qt::FindDirectChildrenOnly);
    QAccessibleInterface *accessible = accessibleOf(widget);
    QVERIFY(accessible);
    QCOMPARE(accessible->role(), role);
    switch (role) {
    case QAccessible::Button:
        QVERIFY(accessible->actionInterface());
        QVERIFY(accessible->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
        break;
    case QAccessible::EditableText: {
        QAccessibleEditableTextInterface *editable = accessible->editableTextInterface();
        QVERIFY(editable);
        const QString before = qobject_cast<QLineEdit *>(widget)->text();
        editable->replaceText(0, int(before.size()), QStringLiteral("7"));
        QCOMPARE(qobject_cast<QLineEdit *>(widget)->text(), QStringLiteral("7"));
        editable->replaceText(0, 1, before);
        break;
    }
    case QAccessible::StaticText:
        QVERIFY(!accessible->state().focusable);
        QVERIFY(!accessible->editableTextInterface());
        break;
    default:
        break;
    }
}

// What the user types, and what the look-up fills in, is what the screen reader reads.
void AccessibilityTest::entryFieldsGiveWhatTheyShow()
{
    m_ui.Ref->setFocus();
    QTest::keyClicks(m_ui.Ref, QStringLiteral("E20"));
    QCOMPARE(accessibleOf(m_ui.Ref)->text(QAccessible::Value), QStringLiteral("E20"));
    QVERIFY(!m_ui.desi->text().isEmpty());
    QCOMPARE(accessibleOf(m_ui.desi)->text(QAccessible::Value), m_ui.desi->text());
    QCOMPARE(accessibleOf(m_ui.prixvente)->text(QAccessible::Value), m_ui.prixvente->text());

    m_ui.qte->setFocus();
    m_ui.qte->selectAll();
    QTest::keyClicks(m_ui.qte, QStringLiteral("12"));
    QAccessibleInterface *quantity = accessibleOf(m_ui.qte);
    QCOMPARE(quantity->text(QAccessible::Value), QStringLiteral("12"));
    QAccessibleTextInterface *text = quantity->textInterface();
    QVERIFY(text);
    QCOMPARE(text->text(0, text->characterCount()), QStringLiteral("12"));
}

// The counters have no name of their own: their name is their value, and their caption
// labels them, so that "Nombre : 3" is read. After the sheet is emptied they read 0.
void AccessibilityTest::valueBoxesGiveTheirValues()
{
    QAccessibleInterface *count = accessibleOf(m_ui.nbr);
    QAccessibleInterface *sum = accessibleOf(m_ui.totaux);
    QCOMPARE(count->text(QAccessible::Name), QStringLiteral("3"));
    QCOMPARE(sum->text(QAccessible::Name), m_ui.totaux->text());
    QVERIFY(!sum->text(QAccessible::Name).isEmpty() && sum->text(QAccessible::Name) != u"0");

    for (auto [box, caption] : {std::pair{m_ui.nbr, m_ui.Label1}, std::pair{m_ui.totaux, m_ui.Label3}}) {
        const auto labels = accessibleOf(box)->relations(QAccessible::Label);
        QCOMPARE(labels.size(), 1);
        QCOMPARE(labels.first().first->object(), caption);
    }

    QTest::mouseClick(m_ui.Nouveau, Qt::LeftButton);
    QCOMPARE(count->text(QAccessible::Name), QStringLiteral("0"));
    QCOMPARE(sum->text(QAccessible::Name), QStringLiteral("0"));
}

// A screen reader moving through the grid reads each cell's text with its column's title;
// here the grid holds the listing made at start-up.
void AccessibilityTest::gridGivesCellsAndHeaders()
{
    QAccessibleInterface *grid = accessibleOf(m_ui.G);
    QAccessibleTableInterface *table = grid->tableInterface();
    QVERIFY(table);
    QCOMPARE(table->rowCount(), m_ui.G->RowCount() - 1);
    QCOMPARE(table->rowCount(), 3);
    QCOMPARE(table->columnCount(), 6);

    const QStringList titles{"Référence", "Désignation", "Qté", "Prix Vente", "Remise", "Prix Total"};
    for (int row = 0; row < table->rowCount(); ++row) {
        for (int column = 0; column < table->columnCount(); ++column) {
            QAccessibleInterface *cell = table->cellAt(row, column);
            QVERIFY(cell);
            QCOMPARE(cell->role(), QAccessible::Cell);
            QCOMPARE(cell->text(QAccessible::Name), m_ui.G->CellText(row + 1, column));
            const QList<QAccessibleInterface *> headers = cell->tableCellInterface()->columnHeaderCells();
            // Qt 6.4 makes a new header interface at each call and leaves it unowned, as a
            // screen reader's bridge would receive it; asking its id hands it to Qt's
            // accessibility cache, which frees it at exit (it is a no-op for a known one).
            for (QAccessibleInterface *header : headers)
                QAccessible::uniqueId(header);
            QCOMPARE(headers.size(), 1);
            QCOMPARE(headers.first()->text(QAccessible::Name).trimmed(), titles[column]);
        }
    }
    QStringList references;
    for (int row = 0; row < table->rowCount(); ++row)
        references << table->cellAt(row, 0)->text(QAccessible::Name);
    references.sort();
    QCOMPARE(references, QStringList({"E20", "R30", "V10"}));
}

QTEST_MAIN(AccessibilityTest)
#include "tst_accessibility.moc"
