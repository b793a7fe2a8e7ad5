#include "QueryParser.h"

#include "EngineErrors.h"

#include <QRegularExpression>
#include <QStringList>

namespace jet {

namespace {

struct Token {
    enum Kind { Word, Name, Symbol, End } kind = End;
    QString text;  // a word or bracketed name as written (without brackets), or the symbol

    bool isWord(const char *keyword) const
    {
        return kind == Word && text.compare(QLatin1String(keyword), Qt::CaseInsensitive) == 0;
    }
    bool isSymbol(char symbol) const { return kind == Symbol && text == QLatin1Char(symbol); }
    bool isName() const { return kind == Word || kind == Name; }
    QString shown() const
    {
        return kind == End ? QStringLiteral("la fin de la requête") : QStringLiteral("« %1 »").arg(text);
    }
};

bool isWordCharacter(QChar c)
{
    return c.isLetterOrNumber() || c.isMark() || c == QLatin1Char('_');
}

std::vector<Token> tokenize(const QString &text)
{
    std::vector<Token> tokens;
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar c = text[i];
        if (c.isSpace()) {
            ++i;
        } else if (c == QLatin1Char('[')) {
            const qsizetype close = text.indexOf(QLatin1Char(']'), i + 1);
            if (close < 0)
                throw errors::selectSyntax(QStringLiteral("crochet « [ » sans « ] »"));
            tokens.push_back({Token::Name, text.mid(i + 1, close - i - 1)});
            i = close + 1;
        } else if (isWordCharacter(c)) {
            qsizetype end = i;
            while (end < text.size() && isWordCharacter(text[end]))
                ++end;
            tokens.push_back({Token::Word, text.mid(i, end - i)});
            i = end;
        } else {
            tokens.push_back({Token::Symbol, QString(c)});
            ++i;
        }
    }
    tokens.push_back({Token::End, QString()});
    return tokens;
}

const QStringList Keywords = {QStringLiteral("select"), QStringLiteral("from"),  QStringLiteral("order"),
                              QStringLiteral("by"),     QStringLiteral("asc"),   QStringLiteral("desc"),
                              QStringLiteral("where"),  QStringLiteral("group"), QStringLiteral("having"),
                              QStringLiteral("union"),  QStringLiteral("as"),    QStringLiteral("join"),
                              QStringLiteral("inner"),  QStringLiteral("left"),  QStringLiteral("right")};

bool isKeyword(const Token &token)
{
    return token.kind == Token::Word && Keywords.contains(token.text, Qt::CaseInsensitive);
}

class Parser {
public:
    explicit Parser(const QString &text) : m_tokens(tokenize(text)) {}

    SelectQuery parse()
    {
        SelectQuery query;
        if (peek().isSymbol('('))
            throw errors::unsupportedQuery(QStringLiteral("les sous-requêtes et les unions"));
        if (peek().kind == Token::Word && !peek().isWord("select"))
            throw errors::unsupportedQuery(
                QStringLiteral("l'instruction « %1 » (le moteur ne fait que lire)").arg(peek().text));
        expectWord("select");
        rejectSelectModifiers();
        do {
            query.fields.push_back(fieldInSelectList());
        } while (acceptSymbol(','));
        if (!peek().isWord("from"))
            throw errors::selectSyntax(QStringLiteral("« from » attendu, trouvé %1").arg(peek().shown()));
        next();
        query.table = tableName();
        rejectAfterTable();
        if (peek().isWord("order")) {
            next();
            if (!peek().isWord("by"))
                throw errors::orderBySyntax(
                    QStringLiteral("« by » attendu après « order », trouvé %1").arg(peek().shown()));
            next();
            if (!peek().isName() || isKeyword(peek()))
                throw errors::orderBySyntax(QStringLiteral("nom de champ attendu, trouvé %1").arg(peek().shown()));
            query.orderBy = fieldReference();
            if (peek().isWord("asc") || peek().isWord("desc"))
                query.descending = next().isWord("desc");
            if (peek().isSymbol(','))
                throw errors::unsupportedQuery(QStringLiteral("le tri sur plusieurs champs"));
        }
        acceptSymbol(';');
        if (peek().kind != Token::End)
            throw unexpected(peek());
        return query;
    }

private:
    const Token &peek() const { return m_tokens[m_at]; }
    const Token &next() { return m_tokens[m_at < m_tokens.size() - 1 ? m_at++ : m_at]; }

    bool acceptSymbol(char symbol)
    {
        if (!peek().isSymbol(symbol))
            return false;
        next();
        return true;
    }

    void expectWord(const char *keyword)
    {
        if (!peek().isWord(keyword))
            throw errors::selectSyntax(
                QStringLiteral("« %1 » attendu, trouvé %2").arg(QLatin1String(keyword), peek().shown()));
        next();
    }

    static RuntimeError unexpected(const Token &token)
    {
        for (const char *clause : {"where", "group", "having", "union"}) {
            if (token.isWord(clause))
                return errors::unsupportedQuery(QStringLiteral("la clause « %1 »").arg(token.text));
        }
        return errors::selectSyntax(QStringLiteral("%1 inattendu").arg(token.shown()));
    }

    void rejectSelectModifiers()
    {
        for (const char *modifier : {"distinct", "distinctrow", "top", "all"}) {
            if (peek().isWord(modifier))
                throw errors::unsupportedQuery(QStringLiteral("« %1 »").arg(peek().text));
        }
    }

    FieldReference fieldReference()
    {
        FieldReference field;
        field.name = next().text;
        field.asWritten = field.name;
        if (peek().isSymbol('.')) {
            next();
            if (!peek().isName())
                throw errors::selectSyntax(QStringLiteral("nom de champ attendu après « %1. »").arg(field.name));
            field.table = field.name;
            field.name = next().text;
            field.asWritten = field.table + QLatin1Char('.') + field.name;
        }
        return field;
    }

    FieldReference fieldInSelectList()
    {
        if (peek().isSymbol('*'))
            throw errors::unsupportedQuery(QStringLiteral("la liste « * » (nommez les champs)"));
        if (!peek().isName() || isKeyword(peek()))
            throw errors::selectSyntax(QStringLiteral("nom de champ attendu, trouvé %1").arg(peek().shown()));
        if (peek().kind == Token::Word && peek().text.front().isDigit())
            throw errors::unsupportedQuery(QStringLiteral("les constantes (« %1 »)").arg(peek().text));
        FieldReference field = fieldReference();
        if (peek().isSymbol('('))
            throw errors::unsupportedQuery(QStringLiteral("les fonctions (« %1( »)").arg(field.asWritten));
        if (peek().isWord("as"))
            throw errors::unsupportedQuery(QStringLiteral("les alias (« as »)"));
        if (peek().kind == Token::Symbol && !peek().isSymbol(','))
            throw errors::unsupportedQuery(
                QStringLiteral("les expressions (« %1 %2 »)").arg(field.asWritten, peek().text));
        return field;
    }

    QString tableName()
    {
        if (!peek().isName() || isKeyword(peek()))
            throw errors::fromSyntax(QStringLiteral("nom de table attendu, trouvé %1").arg(peek().shown()));
        return next().text;
    }

    void rejectAfterTable()
    {
        if (peek().isSymbol(','))
            throw errors::unsupportedQuery(QStringLiteral("plusieurs tables"));
        for (const char *join : {"join", "inner", "left", "right", "full", "cross"}) {
            if (peek().isWord(join))
                throw errors::unsupportedQuery(QStringLiteral("les jointures (« %1 »)").arg(peek().text));
        }
        if (peek().isWord("as") || (peek().isName() && !isKeyword(peek())))
            throw errors::unsupportedQuery(QStringLiteral("les alias de table (« %1 »)").arg(peek().text));
        if (peek().isSymbol('('))
            throw errors::unsupportedQuery(QStringLiteral("les sous-requêtes"));
    }

    std::vector<Token> m_tokens;
    std::size_t m_at = 0;
};

}  // namespace

bool isQueryText(const QString &text)
{
    // "select" alone is a query with its fields missing; the other verbs need something
    // after them, so that a table named "Update" still opens.
    static const QRegularExpression statement(
        QStringLiteral("^\\s*(\\(|select\\b|(insert|update|delete|transform|parameters|create|drop|alter)\\s+\\S)"),
        QRegularExpression::CaseInsensitiveOption);
    return statement.match(text).hasMatch();
}

SelectQuery parseSelectQuery(const QString &text)
{
    return Parser(text).parse();
}

}  // namespace jet
