#pragma once

#include <QString>
#include <QStringList>

// The user's guide as the help window shows it: Readme.txt, or its English
// counterpart Readme.en.txt, built into the program so that it is there
// whatever was installed.
namespace GuideText {

// The guide's plain text in the language of the windows.
QString plainText();
// The same as HTML: a contents list linking to each numbered section, each
// section's text kept in its lines and columns (the lists are aligned in a
// fixed-width font).
QString html(const QString &plain);
// The section titles, in order ("1. 起動する", …).
QStringList sectionTitles(const QString &plain);

} // namespace GuideText
