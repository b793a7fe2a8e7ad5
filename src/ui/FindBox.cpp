#include "FindBox.h"

#include "EventLoopEntries.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

FindBox::FindBox(QWidget *window) : QDialog(window), m_text(new QLineEdit(this))
{
    setObjectName(QStringLiteral("rechercheFiche"));
    setWindowTitle(QStringLiteral("Rechercher dans la fiche"));
    m_text->setObjectName(QStringLiteral("texteRecherche"));
    m_text->setMinimumWidth(220);

    auto *label = new QLabel(QStringLiteral("&Rechercher :"), this);
    label->setBuddy(m_text);
    auto *next = new QPushButton(QStringLiteral("&Suivant"), this);
    next->setObjectName(QStringLiteral("suivant"));
    next->setDefault(true);  // Enter in the text looks for the next line
    auto *close = new QPushButton(QStringLiteral("Fermer"), this);

    auto *row = new QHBoxLayout(this);
    row->addWidget(label);
    row->addWidget(m_text, 1);
    row->addWidget(next);
    row->addWidget(close);

    const auto requestNext = [this] {
        runAction([this] {
            if (!text().isEmpty())
                emit nextRequested(text());
        });
    };
    connect(next, &QPushButton::clicked, this, requestNext);
    // The window's "Rechercher le suivant" answers here too.
    for (const QKeySequence &keys : QKeySequence::keyBindings(QKeySequence::FindNext))
        connect(new QShortcut(keys, this), &QShortcut::activated, this, requestNext);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
}

QString FindBox::text() const
{
    return m_text->text();
}

void FindBox::present()
{
    show();
    raise();
    activateWindow();
    m_text->setFocus();
    m_text->selectAll();
}
