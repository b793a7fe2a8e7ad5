#pragma once
// ICU's French collator, as the engine compares text: at secondary strength for the
// General sort order (accents count, case does not). Opened once and kept for the run.
// Internal to the engine: it names ICU's types. ICU collators may be used from several
// threads at once as long as none changes them: this one is set up before anyone sees it
// and never changed.

#include <unicode/ucol.h>

namespace jet {

// Raises the engine's "not supported" error when ICU has no French rules.
const UCollator *generalSortCollator();

}  // namespace jet
