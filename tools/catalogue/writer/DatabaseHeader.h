#pragma once
// Page 0: the file's kind and version (Jet 4), and the block of settings that the format
// keeps masked with a fixed RC4 key.

#include <QByteArray>

namespace jetwriter {

QByteArray databaseHeaderPage();

}  // namespace jetwriter
