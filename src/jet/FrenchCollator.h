#pragma once
// The collator behind the General sort order (GeneralSortOrder.h), opened once per
// process: ICU's French collation at secondary strength. ICU collators may be used from
// several threads at once as long as none changes them: this one is set up before anyone
// sees it and never changed after.

struct UCollator;

namespace jet {

// Fails with "not supported" when ICU cannot give it.
const UCollator *frenchCollator();

}  // namespace jet
