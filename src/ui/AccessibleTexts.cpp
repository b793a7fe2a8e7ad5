#include "AccessibleTexts.h"

#include "Form2.h"
#include "LineGrid.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

void describeForAssistiveTechnology(Form2 &form)
{
    form.fermer->setAccessibleDescription(QStringLiteral("Ferme la fenêtre et quitte le programme"));
    form.Nouveau->setAccessibleDescription(QStringLiteral("Vide la fiche de toutes ses lignes"));
    form.Ref->setAccessibleDescription(
        QStringLiteral("Référence du produit, à taper ou à choisir dans la liste ; Entrée passe à la quantité"));
    form.desi->setAccessibleDescription(QStringLiteral("Désignation du produit choisi"));
    form.qte->setAccessibleDescription(QStringLiteral("Quantité de la ligne ; Entrée passe à la remise"));
    form.prixvente->setAccessibleDescription(QStringLiteral("Prix de vente unitaire du produit choisi"));
    form.remise->setAccessibleDescription(
        QStringLiteral("Remise en pour cent ; le total de la ligne se recalcule à chaque changement ; "
                       "Entrée passe au total"));
    form.total->setAccessibleDescription(
        QStringLiteral("Total de la ligne, remise déduite ; Entrée ajoute la ligne à la fiche"));
    form.bas->setAccessibleDescription(QStringLiteral("Descend d'une place la ligne choisie dans la fiche"));
    form.haut->setAccessibleDescription(QStringLiteral("Monte d'une place la ligne choisie dans la fiche"));
    form.G->setAccessibleDescription(
        QStringLiteral("Une ligne par produit de la fiche : référence, désignation, quantité, prix de vente, "
                       "remise en pour cent et total de la ligne"));

    // The captions label their value boxes, so that a screen reader reads "Nombre : 3"
    // rather than a bare "3". A buddy is only a label's pointer: with no "&" in the
    // captions it adds no shortcut.
    form.Label1->setBuddy(form.nbr);
    form.Label3->setBuddy(form.totaux);
}
