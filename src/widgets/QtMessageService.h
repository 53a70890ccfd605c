#pragma once

#include "base/MessageService.h"

// Shows each message as a modal QMessageBox.
class QtMessageService : public MessageService {
public:
    MessageAnswer show(const Message &message) override;
};
