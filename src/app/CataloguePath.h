#pragma once
// Where a Windows path such as "c:\Vasteron\QUARN.MDB" lies on this system. On Windows the
// path is used as it stands. Elsewhere the catalogue is usually kept by a Windows back
// office running under Wine, so a drive-letter path is looked up the way Wine lays its
// drives out: "c:" is the prefix's drive_c, any other letter the prefix's
// dosdevices/<letter>: link. Windows names ignore case, so each component is matched
// without regard to case; a component that matches nothing is kept as written, so that
// the path still names what was looked for.

#include <QString>

// $WINEPREFIX when set, otherwise ~/.wine.
QString winePrefix();

// The drive-letter path mapped into `prefix`; any other path is returned unchanged.
QString mapWindowsPath(const QString &windowsPath, const QString &prefix);

// The path as this system sees it: unchanged on Windows, mapped into winePrefix() elsewhere.
QString localCataloguePath(const QString &windowsPath);
