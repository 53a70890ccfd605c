#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "base/MessageService.h"

// Records every box and answers each with the next expected answer. A box that
// no test expected fails the running test at once and is answered with OK, so
// nothing ever waits for a click.
class RecordingMessageService : public MessageService {
public:
    MessageAnswer show(const Message &message) override;

    // The next box is expected and answered this way.
    void expect(MessageAnswer answer = MessageAnswer::Ok) { m_answers.push_back(answer); }
    bool allAnswered() const { return m_answers.empty(); }

    // Runs while a box is open, before it is answered: what the user sees behind it.
    std::function<void(const Message &)> whileShown;

    const std::vector<Message> &shown() const { return m_shown; }
    const Message &last() const { return m_shown.back(); }
    void clear()
    {
        m_shown.clear();
        m_answers.clear();
    }

private:
    std::deque<MessageAnswer> m_answers;
    std::vector<Message> m_shown;
};
