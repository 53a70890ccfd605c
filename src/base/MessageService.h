#pragma once

#include "base/Message.h"

// Every message box of the program goes through here, so that tests can see
// each box and answer it.
class MessageService {
public:
    virtual ~MessageService() = default;
    // Shows the box modally and gives the button that closed it.
    virtual MessageAnswer show(const Message &message) = 0;
};
