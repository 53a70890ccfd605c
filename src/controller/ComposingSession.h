#pragma once

#include "controller/DocumentController.h"

class RecoveryJournal;

// Everything one composing session holds apart from its windows: the
// melody's document, the player and the file commands, made together and
// gone together. Windows show it; the command line has no session.
class ComposingSession {
public:
    struct Services {
        MessageService &messages;
        UserDialogs &dialogs;
        FileSystem &programFolder;
        MelodyPlayer::OutputMaker makeSoundOutput;
        RecoveryJournal *journal = nullptr; // none: no record is kept
    };

    ComposingSession(int tempo, const Services &services);

    ScoreDocument &document() { return m_document; }
    const ScoreDocument &document() const { return m_document; }
    MelodyPlayer &player() { return m_player; }
    DocumentController &controller() { return m_controller; }
    MessageService &messages() { return m_messages; }

private:
    MessageService &m_messages;
    ScoreDocument m_document;
    MelodyPlayer m_player;
    DocumentController m_controller;
};
