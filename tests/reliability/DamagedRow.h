#pragma once
// A catalogue with one product's row damaged in place, as a power cut during the back
// office's write leaves it: a bit of the row's null mask set past its four columns, which
// no row written whole ever has.

#include "RawJetFile.h"

#include <QByteArray>

// `storedRow`: the product's place in the table's stored order, from 1.
inline QByteArray withDamagedRow(const QByteArray &catalogue, int storedRow)
{
    RawJetFile file(catalogue);
    const RawJetFile::RowPlace place = file.storedRows(file.userTableDefinitionPage()).at(storedRow - 1);
    const int nullMask = place.bytes.start + place.bytes.length - 1;  // the row's last byte
    file.putByte(place.page, nullMask, file.byteAt(place.page, nullMask) | 0x40);
    return file.bytes();
}
