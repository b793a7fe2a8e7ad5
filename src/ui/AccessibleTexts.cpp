// What a screen reader says of each control beyond its name: what the control is for and,
// for the entry fields, where Enter goes next. The names themselves are set where the
// controls are built.

#include "Form2.h"
#include "LineGrid.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

void Form2::describeForAssistiveTechnology()
{
    fermer->setAccessibleDescription(QStringLiteral("Ferme la fenêtre et quitte le programme"));
    Nouveau->setAccessibleDescription(QStringLiteral("Vide la fiche de toutes ses lignes"));
    Ref->setAccessibleDescription(
        QStringLiteral("Référence du produit, à taper ou à choisir dans la liste ; Entrée passe à la quantité"));
    desi->setAccessibleDescription(QStringLiteral("Désignation du produit choisi"));
    qte->setAccessibleDescription(QStringLiteral("Quantité de la ligne ; Entrée passe à la remise"));
    prixvente->setAccessibleDescription(QStringLiteral("Prix de vente unitaire du produit choisi"));
    remise->setAccessibleDescription(
        QStringLiteral("Remise en pour cent ; le total de la ligne se recalcule à chaque changement ; "
                       "Entrée passe au total"));
    total->setAccessibleDescription(
        QStringLiteral("Total de la ligne, remise déduite ; Entrée ajoute la ligne à la fiche"));
    bas->setAccessibleDescription(QStringLiteral("Descend d'une place la ligne choisie dans la fiche"));
    haut->setAccessibleDescription(QStringLiteral("Monte d'une place la ligne choisie dans la fiche"));
    G->setAccessibleDescription(
        QStringLiteral("Une ligne par produit de la fiche : référence, désignation, quantité, prix de vente, "
                       "remise en pour cent et total de la ligne"));

    // The captions label their value boxes, so that a screen reader reads "Nombre : 3"
    // rather than a bare "3". A buddy is only a label's pointer: with no "&" in the
    // captions it adds no shortcut.
    Label1->setBuddy(nbr);
    Label3->setBuddy(totaux);
}
