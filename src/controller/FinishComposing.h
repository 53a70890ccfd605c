#pragma once

#include <functional>

#include "base/MessageService.h"
#include "controller/WriteProgram.h"
#include "files/FileSystem.h"
#include "score/ComposerState.h"

enum class FinishResult {
    EndProgram, // the program was written, or the user quits without a score
    ReturnToComposer, // nothing changed; the user may go on or finish again
};

// The finish button: asks before quitting an empty score, otherwise warns that
// writing takes a while and writes the program file. The score is only read,
// so finishing again after a failure writes the same text.
FinishResult finishComposing(const ComposerState &state, MessageService &messages, FileSystem &files);

// Writing the program as the windows tell it: failures in boxes; before
// writing, the finish button's notice, or else nothing before and the place
// written in the status bar after.
class DialogProgramPort : public ProgramPort {
public:
    enum class Notice { BeforeWriting, None };
    DialogProgramPort(MessageService &messages, Notice notice, std::function<void(const QString &)> status = {});

    void beforeWriting(bool tooLargeForRcx) override;
    void written(const QString &path, bool tooLargeForRcx) override;
    void failed(const SaveResult &result, const QString &folder) override;

private:
    MessageService &m_messages;
    Notice m_notice;
    std::function<void(const QString &)> m_status;
};
