#pragma once

#include "base/MessageService.h"
#include "files/FileSystem.h"
#include "score/ComposerState.h"
#include "workflows/ProgramSaving.h"

enum class FinishResult {
    EndProgram, // the program was written, or the user quits without a score
    ReturnToComposer, // nothing changed; the user may go on or finish again
};

// The finish button: asks before quitting an empty score, otherwise warns that
// writing takes a while and writes the program file. The score is only read,
// so finishing again after a failure writes the same text.
FinishResult finishComposing(const ComposerState &state, MessageService &messages, FileSystem &files);

// Writing alone, as finishing does it for a score with notes: the notice, the
// program under the first free name, the error boxes. The name written, or an
// empty text when nothing was written.
QString writeProgramFile(const ComposerState &state, MessageService &messages, FileSystem &files);
