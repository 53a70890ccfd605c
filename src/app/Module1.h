#pragma once

#include <QtGlobal>

// The one value the tempo window hands to the composer window. It stays 0
// until a tempo is accepted and never changes afterwards.
struct Module1 {
    qint16 Tempo = 0;
};
