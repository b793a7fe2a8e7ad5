#pragma once
// A file read a line at a time, without the whole of it in memory: the bytes of each line
// up to its line feed, with the line's number. A file larger than MaxSheetFileBytes is
// refused before anything is kept of it, and one line cannot make the reader keep more.

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>
#include <optional>

class ByteLines {
public:
    explicit ByteLines(QIODevice &file);

    // The next line, without its line feed; nothing at the end of the file, or when the
    // device failed or the file is too large (see failure()).
    std::optional<QByteArrayView> next();
    // Whether the line just given ended with a line feed (the last line of a file may not).
    bool endedWithLineFeed() const { return m_lineFeed; }
    // The number of the line just given, from 1.
    qint64 lineNumber() const { return m_lineNumber; }

    // Why next() gave nothing before the end, in French; empty at the end of the file.
    const QString &failure() const { return m_failure; }
    // How much of the file is read, in thousandths of its size (0 when the size is unknown).
    int thousandthsRead() const;

private:
    bool readMore();

    QIODevice &m_file;
    qint64 m_size;
    qint64 m_bytesRead = 0;
    QByteArray m_buffer;
    qsizetype m_start = 0;  // where the next line starts in m_buffer
    qint64 m_lineNumber = 0;
    bool m_lineFeed = false;
    bool m_atEnd = false;
    QString m_failure;
};

// The refusal for a file beyond MaxSheetFileBytes, in French.
QString tooLargeReason();
