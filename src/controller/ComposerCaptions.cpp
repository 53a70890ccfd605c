#include "controller/ComposerCaptions.h"

#include <algorithm>

#include <QCoreApplication>

QString descriptionCaption(const ScoreEditor &editor)
{
    switch (editor.shown()) {
    case ScoreEditor::Shown::Confirmed:
        return QCoreApplication::translate("ComposerCaptions", "入力成功");
    case ScoreEditor::Shown::Cleared:
        return QCoreApplication::translate("ComposerCaptions", "クリア成功");
    case ScoreEditor::Shown::CurrentNote:
        break;
    }
    return describe(editor.state().currentNote);
}

QString historyCaption(std::span<const NoteRecord> notes)
{
    QString history;
    for (std::size_t index = notes.size() - std::min<std::size_t>(notes.size(), 10); index < notes.size(); ++index) {
        const QString pitch = pitchText(notes[index]);
        // Japanese runs the names together; English needs a space between them.
        history = history.isEmpty()
            ? pitch
            : QCoreApplication::translate("ComposerCaptions", "%1%2", "the history so far, then the next note")
                  .arg(history, pitch);
    }
    return history;
}
