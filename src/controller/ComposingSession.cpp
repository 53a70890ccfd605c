#include "controller/ComposingSession.h"

ComposingSession::ComposingSession(int tempo, const Services &services)
    : m_messages(services.messages)
    , m_document(tempo, services.journal)
    , m_player(services.makeSoundOutput)
    , m_controller(m_document, m_player, {services.messages, services.dialogs, services.programFolder})
{ }
