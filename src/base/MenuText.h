#pragma once

#include <QString>

// A menu command's text as a sentence or a list shows it, without its access
// key and the dots that say it asks first: "新規作成(&N)..." → "新規作成",
// "&Pybricks (SPIKE, EV3, Powered Up)..." → "Pybricks (SPIKE, EV3, Powered Up)".
QString plainMenuText(const QString &text);
