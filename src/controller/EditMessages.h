#pragma once

#include <optional>

#include "base/Message.h"
#include "base/MessageService.h"
#include "score/EditResult.h"

// The box that tells the user what became of an edit: why it was refused, or
// that the score is now full; none for an edit done, or refused with nothing
// to say.
std::optional<Message> editMessage(const EditResult &result);

// Shows that box, if any, and gives back whether the edit was done.
bool tellEdit(MessageService &messages, const EditResult &result);
