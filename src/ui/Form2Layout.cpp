// The window as the user sees it: every control at its place and size, with its caption,
// font, colours and tab order. Places and sizes are written in twips, the unit in which
// the form was drawn, and turned into logical pixels (15 twips a pixel at 96 dots per
// inch), so that Qt's own scaling takes care of high-resolution screens.

#include "FicheIcon.h"
#include "Form2.h"
#include "GridActions.h"
#include "LineGrid.h"
#include "Module1.h"
#include "ReferenceList.h"
#include "SheetHistory.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScreen>
#include <limits>

namespace {

constexpr int TwipsPerPixel = 15;

QRect twips(int left, int top, int width, int height)
{
    return {left / TwipsPerPixel, top / TwipsPerPixel, width / TwipsPerPixel, height / TwipsPerPixel};
}

QFont arial(double points, bool bold)
{
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);  // where Arial is missing, its metric twin
    font.setPointSizeF(points);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    return font;
}

// The light edge of 3-D elements in the platform's scheme (white in the usual one): the
// window, the labels and the button faces share it.
QColor highlight3D(const QWidget &widget)
{
    return widget.palette().color(QPalette::Active, QPalette::Light);
}

void paintWith(QWidget &widget, QPalette::ColorRole role, const QColor &colour)
{
    QPalette palette = widget.palette();
    palette.setColor(role, colour);
    widget.setPalette(palette);
}

// The grid's columns: mark ("^" centres), title, and the blanks that size each column.
QString gridColumnFormat()
{
    const auto blanks = [](int count) { return QString(count, u' '); };
    return QStringList{
        QStringLiteral("^Référence") + blanks(25),
        blanks(13) + QStringLiteral("Désignation") + blanks(70),
        QStringLiteral("^") + blanks(5) + QStringLiteral("Qté") + blanks(8),
        QStringLiteral("^") + blanks(4) + QStringLiteral("Prix Vente") + blanks(2),
        QStringLiteral("^") + blanks(1) + QStringLiteral("Remise") + blanks(2),
        QStringLiteral("^") + blanks(4) + QStringLiteral("Prix Total") + blanks(11),
    }
        .join(u'|');
}

// The pictures are embedded when the build has them; without one the control shows none.
QIcon picture(const QString &resource)
{
    return QFile::exists(resource) ? ficheIcon(QFileInfo(resource).completeBaseName()) : QIcon();
}

template <class Control>
Control *place(Control *control, const QString &name, const QRect &geometry)
{
    control->setObjectName(name);
    control->setGeometry(geometry);
    return control;
}

QPushButton *button(QWidget *window, const QString &name, const QRect &geometry, const QString &accessibleName)
{
    auto *b = place(new QPushButton(window), name, geometry);
    b->setAccessibleName(accessibleName);
    // Enter presses the focused button (see the window's event filter); no button answers
    // Enter or Escape for the whole window.
    b->setAutoDefault(false);
    b->setDefault(false);
    paintWith(*b, QPalette::Button, highlight3D(*window));
    return b;
}

QLabel *label(QWidget *window, const QString &name, const QRect &geometry, const QString &caption)
{
    auto *l = place(new QLabel(caption, window), name, geometry);
    l->setTextFormat(Qt::PlainText);  // a caption is shown as written, never as markup
    l->setFont(arial(8.25, true));
    l->setAlignment(Qt::AlignRight | Qt::AlignTop);
    l->setAutoFillBackground(true);
    paintWith(*l, QPalette::Window, highlight3D(*window));
    return l;
}

QLabel *valueBox(QWidget *window, const QString &name, const QRect &geometry, const QString &description)
{
    QLabel *box = label(window, name, geometry, QStringLiteral("0"));
    box->setFrameStyle(QFrame::Box | QFrame::Plain);
    box->setLineWidth(1);
    // No accessible name: a screen reader then reads the value itself.
    box->setAccessibleDescription(description);
    return box;
}

QLineEdit *textBox(QWidget *window, const QString &name, const QRect &geometry, Qt::Alignment alignment,
                   const QString &accessibleName)
{
    auto *field = place(new QLineEdit(window), name, geometry);
    field->setFont(arial(9, true));
    field->setAlignment(alignment | Qt::AlignVCenter);
    field->setMaxLength(std::numeric_limits<int>::max());
    field->setAccessibleName(accessibleName);
    return field;
}

QComboBox *referenceBox(QWidget *window, const QRect &geometry)
{
    auto *box = place(new QComboBox(window), QStringLiteral("Ref"), geometry);
    box->setModel(new ReferenceList(box));  // set while the box is empty: nothing gets selected
    box->setEditable(true);
    box->setFont(arial(9, true));
    box->setAccessibleName(QStringLiteral("Référence"));
    // The text stays exactly as typed: no completion, and Enter never adds it to the list.
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr);
    // An empty combo box would otherwise select the first reference added to it; a
    // placeholder keeps the text empty (an editable box never draws it).
    box->setPlaceholderText(QStringLiteral("Référence"));
    // A catalogue may hold 100 000 references: never measure them all, and let the list
    // assume one height for every item.
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    if (auto *list = qobject_cast<QListView *>(box->view()))
        list->setUniformItemSizes(true);
    return box;
}

}  // namespace

Form2::Form2(const QString &databaseFile, const RegionalSettings &regional, QWidget *parent)
    : QWidget(parent), m_regional(regional), m_module1(databaseFile)
{
    setObjectName(QStringLiteral("Form2"));
    buildControls();
    describeForAssistiveTechnology();
    connectHandlers();
    // Copying, saving, printing and searching the sheet: actions on the grid alone.
    const auto counters = [this] { return CounterCaptions{nbr->text(), totaux->text()}; };
    m_gridActions = new GridActions(
        *G, m_regional, counters, [this] { return m_module1.DatabaseFile(); }, this);
}

Form2::~Form2() = default;

void Form2::buildControls()
{
    setWindowTitle(QStringLiteral("Fiche Produit"));
    setWindowIcon(picture(QStringLiteral(":/icons/fiche-produit.svg")));
    setFixedSize(1066, 649);  // 15990 × 9735 twips; the layout does not follow a resize
    paintWith(*this, QPalette::Window, highlight3D(*this));
    setAutoFillBackground(true);

    fermer = button(this, QStringLiteral("fermer"), twips(5520, 9120, 1335, 375), QStringLiteral("Fermer"));
    fermer->setText(QStringLiteral("Fermer"));
    fermer->setFont(arial(9.75, false));

    Label1 = label(this, QStringLiteral("Label1"), twips(240, 9120, 1455, 495), QStringLiteral("Nombre : "));
    nbr = valueBox(this, QStringLiteral("nbr"), twips(2040, 9120, 1215, 495), QStringLiteral("Nombre de lignes"));
    Label3 = label(this, QStringLiteral("Label3"), twips(11040, 9120, 1455, 495), QStringLiteral("Total :"));
    totaux =
        valueBox(this, QStringLiteral("totaux"), twips(12600, 9120, 1935, 495), QStringLiteral("Total des lignes"));

    Ref = referenceBox(this, twips(240, 480, 2535, 345));
    qte =
        textBox(this, QStringLiteral("qte"), twips(9000, 480, 1215, 405), Qt::AlignHCenter, QStringLiteral("Quantité"));
    prixvente = textBox(this, QStringLiteral("prixvente"), twips(10200, 480, 1455, 405), Qt::AlignRight,
                        QStringLiteral("Prix de vente"));
    remise = textBox(this, QStringLiteral("remise"), twips(11640, 480, 1095, 405), Qt::AlignHCenter,
                     QStringLiteral("Remise"));
    total = textBox(this, QStringLiteral("total"), twips(12720, 480, 1815, 405), Qt::AlignRight,
                    QStringLiteral("Total de la ligne"));
    desi = textBox(this, QStringLiteral("desi"), twips(2760, 480, 6255, 405), Qt::AlignLeft,
                   QStringLiteral("Désignation"));

    // The down arrow stands above the up arrow.
    bas = button(this, QStringLiteral("bas"), twips(15360, 960, 495, 855), QStringLiteral("Descendre la ligne"));
    bas->setIcon(picture(QStringLiteral(":/icons/fleche-bas.svg")));
    bas->setToolTip(bas->accessibleName());
    haut = button(this, QStringLiteral("haut"), twips(15360, 2040, 495, 855), QStringLiteral("Monter la ligne"));
    haut->setIcon(picture(QStringLiteral(":/icons/fleche-haut.svg")));
    haut->setToolTip(haut->accessibleName());
    for (QPushButton *arrow : {bas, haut})
        arrow->setIconSize(QSize(24, 24));

    Nouveau = button(this, QStringLiteral("Nouveau"), twips(240, 120, 1575, 255), QStringLiteral("Nouveau"));
    Nouveau->setText(QStringLiteral("Nouveau"));
    Nouveau->setFont(arial(9.75, false));

    G = place(new LineGrid(gridColumnFormat(), this), QStringLiteral("G"), twips(120, 960, 15015, 8055));
    G->setFont(arial(11.25, false));
    G->setAccessibleName(QStringLiteral("Lignes de la fiche"));

    // Tab order: the labels take no focus and drop out of the chain by themselves.
    const QList<QWidget *> chain{fermer, Ref, qte, prixvente, remise, total, desi, bas, haut, Nouveau, G};
    for (qsizetype i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);
    fermer->setFocus();

    if (const QScreen *shown = screen())
        move(shown->availableGeometry().center() - rect().center());
}
