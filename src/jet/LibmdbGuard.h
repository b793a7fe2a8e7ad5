#pragma once
// What every call into libmdb needs around it.
//
// libmdb reads four environment variables and prints on its own in its failure paths. The
// engine must behave the same whatever the user's environment holds, and the program is
// a window whose terminal (if any) is not the place for a library's messages. So:
//  - `prepareLibmdbEnvironment()` runs once before libmdb is first used;
//  - `QuietLibmdb` silences the process's standard output and error while it lives. The
//    engine checks page numbers and row bounds before handing them to libmdb, so that its
//    printing paths are not reached on sound files; the guard is the second line, for
//    damaged files whose table definitions send libmdb down paths we do not check (such
//    as index definitions that name missing columns).

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
