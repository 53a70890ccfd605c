#pragma once

#include <QString>

enum class MessageButtons { Ok, OkCancel, YesNo, SaveDiscardCancel };
enum class MessageIcon { None, Warning, Information, Question };
enum class MessageAnswer { Ok, Cancel, Yes, No, Save, Discard };

// The program's title as the windows show it, in their language; the files
// ZEPA writes carry ProgramTitle, the same in every language.
QString shownProgramTitle();

// One modal message box as the program asks for it. The four factories are the
// only combinations the program uses.
struct Message {
    QString text;
    QString title; // empty: the box carries the program title
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    int defaultButton = 0; // 0 the first button, 1 the second
    bool foreground = false;

    // A refusal: OK, warning icon, brought to the foreground.
    static Message refusal(const QString &text, const QString &title);
    // A notice: OK, information icon, brought to the foreground.
    static Message notice(const QString &text, const QString &title);
    // A question: OK and Cancel, information icon, Cancel as default.
    static Message question(const QString &text, const QString &title);
    // A plain box: OK, no icon, not brought forward, the program title.
    static Message plain(const QString &text);
    // A yes-or-no question, "はい" the default.
    static Message yesNo(const QString &text, const QString &title);
    // Whether to save first: "保存", "保存しない", "キャンセル"; saving the default.
    static Message saveFirst(const QString &text, const QString &title);

    // The title the box really shows.
    QString shownTitle() const;
    // The same box as the Windows flag value it would be built from
    // (0x10030, 0x10040, 0x10141, 0 …); tests compare against these.
    unsigned flags() const;

    bool operator==(const Message &) const = default;
};
