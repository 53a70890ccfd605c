#pragma once

#include <QTest>

// A test of what a program no one here wrote reads of ZEPA's output runs in
// one build only (see tests/CMakeLists.txt): the sanitizer build sets
// ZEPA_OUTSIDE_CHECKS=elsewhere, and such a test skips itself there, saying so.
#define ZEPA_OUTSIDE_CHECK()                                                                                   \
    do {                                                                                                       \
        if (qEnvironmentVariable("ZEPA_OUTSIDE_CHECKS") == QLatin1String("elsewhere"))                         \
            QSKIP("checked by programs no one here wrote, in the build without sanitizers");                   \
    } while (false)
