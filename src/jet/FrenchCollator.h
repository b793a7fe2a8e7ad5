#pragma once
// ICU's French collator, as the engine compares text: at secondary strength for the
// General sort order (accents count, case does not), at primary strength for a search
// that ignores accents too. Each is opened once and kept for the run. Internal to the
// engine: it names ICU's types. ICU collators may be used from several threads at once as
// long as none changes them: these are set up before anyone sees them and never changed.

#include <unicode/ucol.h>

namespace jet {

// Both raise the engine's "not supported" error when ICU has no French rules.
const UCollator *generalSortCollator();
const UCollator *generalSearchCollator();

}  // namespace jet
