#pragma once
// What every call into libmdb needs around it.
//
// libmdb reads four environment variables and prints on its own in its failure paths. The
// engine must behave the same whatever the user's environment holds, and the program is
// a window whose terminal (if any) is not the place for a library's messages. So:
//  - `prepareLibmdbEnvironment()` runs once before libmdb is first used;
//  - every page number the engine hands libmdb is checked against the file's length
//    first (LibmdbFile), and usage maps and row bounds are checked before libmdb walks
//    them: its reading paths never reach their messages;
//  - `QuietLibmdb` silences the process's standard output and error around the few calls
//    that parse structures we do not check byte by byte: opening and closing a file, and
//    reading a table's definition (damaged index definitions that name missing columns
//    make libmdb print). It spans those libmdb calls only, never the engine's own code.
//    What is left: a file cut short by another program while it is being read makes the
//    page read print before it fails.

#include <QtGlobal>

namespace jet {

// MDBPATH: libmdb searches its directories when the file is not found, and an empty
// entry ("/a::/b") makes it loop forever; the engine opens exactly the path it is given.
// MDBOPTS: debug options make libmdb dump rows on the terminal.
// MDBICONV and MDB_JET3_CHARSET: the charset libmdb converts object names into; the
// engine reads them as UTF-8, and text values are decoded by the engine itself.
void prepareLibmdbEnvironment();

class QuietLibmdb {
public:
    QuietLibmdb();
    ~QuietLibmdb();
    QuietLibmdb(const QuietLibmdb &) = delete;
    QuietLibmdb &operator=(const QuietLibmdb &) = delete;

private:
    int m_savedOut = -1;
    int m_savedErr = -1;
    bool m_outermost = false;
};

}  // namespace jet
