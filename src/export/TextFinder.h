#pragma once
// Finding a piece of text inside others as the listing's order weighs letters, blind to
// accents as well as to case: "equerre" is found in "Équerre d'angle", "coeur" in "Cœur de
// pile", "ETAU" in "étau". It is ICU's string search over the French collator at primary
// strength: the letters the listing puts together are the letters it finds alike,
// ligatures and all, which folding accents and case away character by character would not
// give.

#include <QString>
#include <QStringView>
#include <memory>

class TextFinder {
public:
    // `pattern` holds at least one character. Raises a RuntimeError, in French, when ICU
    // has no French rules.
    explicit TextFinder(QStringView pattern);
    ~TextFinder();
    TextFinder(const TextFinder &) = delete;
    TextFinder &operator=(const TextFinder &) = delete;

    bool isFoundIn(QStringView text);

private:
    struct Search;
    QString m_pattern;  // the search reads it in place
    std::unique_ptr<Search> m_search;
};
