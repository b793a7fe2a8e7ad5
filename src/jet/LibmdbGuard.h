#pragma once
// What every call into libmdb needs around it.
//
// libmdb reads four environment variables and prints on its own in its failure paths. The
// engine must behave the same whatever the user's environment holds, and the program is
// a window whose terminal (if any) is not the place for a library's messages. So:
//  - `prepareLibmdbEnvironment()` runs before every file is opened, and once before
//    `main`: while the program has a single thread, so that a first catalogue opened on
//    a worker thread finds the environment ready and does not change it while another
//    thread may read it (glibc's setenv may move the table getenv walks);
//  - every page number the engine hands libmdb is checked against the file's length
//    first (LibmdbFile), and usage maps and row bounds are checked before libmdb walks
//    them: its reading paths never reach their messages;
//  - `QuietLibmdb` silences the process's standard output and error around the few calls
//    that parse structures we do not check byte by byte: opening and closing a file, and
//    reading a table's definition (damaged index definitions that name missing columns
//    make libmdb print). It spans those libmdb calls only, never the engine's own code.
//    What is left: a file cut short by another program while it is being read makes the
//    page read print before it fails. The output is the process's: what another thread
//    prints while a guard is up is lost too. Guards in several threads take turns.

#include <QtGlobal>

namespace jet {

// MDBPATH: libmdb searches its directories when the file is not found, and an empty
// entry ("/a::/b") makes it loop forever; the engine opens exactly the path it is given.
// MDBOPTS: debug options make libmdb dump rows on the terminal.
// MDBICONV and MDB_JET3_CHARSET: the charset libmdb converts object names into; the
// engine reads them as UTF-8, and text values are decoded by the engine itself.
// Changes only what differs.
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
