#pragma once
// libmdb's header, included the one way that compiles in C++: its 1.0.0 header pulls glib
// in from inside `extern "C"`, which fails ("template with C linkage") unless glib was
// included first.

#include <glib.h>

#include <mdbtools.h>

namespace jet {

// Owns one libmdb handle; closing it frees everything libmdb allocated for the file.
struct LibmdbHandle {
    MdbHandle *mdb = nullptr;
    ~LibmdbHandle();
};

}  // namespace jet
