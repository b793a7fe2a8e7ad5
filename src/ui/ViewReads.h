#pragma once
// What a view asks of its model while it paints or measures (a cell's text, an item of a
// list) comes from the catalogue and the number rules, and a read may fail: a value that has
// no text, memory running out. It must not fail out of the paint. A read that fails gives
// nothing: the view draws its cell empty, draws everything else as usual, and the failure is
// told once the paint is over, once for the model, with what stays empty. The program goes
// on, and the sheet keeps everything it holds.

#include "ErrorMode.h"

#include <QPointer>
#include <QString>
#include <QVariant>

class ViewReads {
public:
    // `model`: the model whose reads these are, on whose thread the failure is told;
    // `unshown`: what the user is told stays empty ("Des cases de la fiche…").
    ViewReads(QObject *model, QString unshown) : m_model(model), m_unshown(std::move(unshown)) {}

    // What `read` gives, or an empty value when it fails.
    template <class Read>
    QVariant operator()(Read &&read) const
    {
        QVariant value;
        AtEventLoop([&] { value = std::forward<Read>(read)(); },
                    [this](const RuntimeError &failure) { failed(failure); });
        return value;
    }

private:
    void failed(const RuntimeError &failure) const;

    QPointer<QObject> m_model;
    QString m_unshown;
    mutable bool m_told = false;
};
