#pragma once
// The small box of "Rechercher…": the text to look for and a button for the next line
// holding it. It stays open beside the window while the user goes from line to line, and
// asks the search of whoever listens: it reads no sheet itself.

#include <QDialog>

class QLineEdit;

class FindBox : public QDialog {
    Q_OBJECT

public:
    explicit FindBox(QWidget *window);

    QString text() const;
    // Shows the box, its text selected so that typing replaces it.
    void present();

signals:
    void nextRequested(const QString &text);

private:
    QLineEdit *m_text;
};
