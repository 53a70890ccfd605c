#pragma once

#include <QString>
#include <QStringList>

#include "playback/SoundOutput.h"
#include "base/UserDialogs.h"

// An output that records what it was asked to play and plays it at once, or
// stands for a system without an output device.
class RecordingSoundOutput : public SoundOutput {
public:
    bool play(std::vector<BrickEvent> events) override
    {
        played.push_back(std::move(events));
        m_playing = available;
        return available;
    }
    void stop() override { m_playing = false; }
    bool isPlaying() const override { return m_playing; }

    // Lets a test end the melody as the real output would.
    void finish()
    {
        m_playing = false;
        emit finished();
    }

    bool available = true;
    std::vector<std::vector<BrickEvent>> played;

private:
    bool m_playing = false;
};

// Work shown as going on: records how far it got; the user stops it once it
// reaches cancelAt.
class RecordedProgress : public ProgressTask {
public:
    RecordedProgress(std::vector<int> &values, QStringList &labels, int cancelAt)
        : m_values(values)
        , m_labels(labels)
        , m_cancelAt(cancelAt)
    { }
    void setValue(int value) override { m_values.push_back(value); }
    void setLabel(const QString &label) override { m_labels << label; }
    bool wasCancelled() const override { return m_cancelAt >= 0 && !m_values.empty() && m_values.back() >= m_cancelAt; }

private:
    std::vector<int> &m_values;
    QStringList &m_labels;
    int m_cancelAt;
};

// Answers every dialog as the test set it up (empty or nothing: cancelled).
class ScriptedDialogs : public UserDialogs {
public:
    QString saveFileName(const QString &, const QString &suggestedPath, const QString &filter,
                         QString *chosenFilter) override
    {
        suggested = suggestedPath;
        filters = filter.split(QStringLiteral(";;"));
        if (chosenFilter)
            *chosenFilter = filters.value(filterChosen);
        return answer;
    }
    QString openFileName(const QString &, const QString &folder, const QString &) override
    {
        openedIn = folder;
        return toOpen;
    }
    std::optional<QString> askText(const QString &, const QString &label, const QString &initial) override
    {
        asked << label;
        shownText = initial;
        if (typedInTurn.empty())
            return typed;
        const std::optional<QString> next = typedInTurn.front();
        typedInTurn.erase(typedInTurn.begin());
        return next;
    }
    std::optional<int> chooseItem(const QString &, const QString &, const QStringList &items) override
    {
        offered = items;
        return chosen;
    }
    bool openDocument(const QString &path) override
    {
        opened << path;
        return true;
    }
    std::optional<SendChoice> askSendChoice(const SendChoice &initial) override
    {
        sendOffered = initial;
        return sendChoice;
    }
    std::unique_ptr<ProgressTask> startProgress(const QString &title, const QString &, int maximum) override
    {
        progressTitles << title;
        progressMaximum = maximum;
        return std::make_unique<RecordedProgress>(progress, progressLabels, cancelProgressAt);
    }
    PrintOutcome print(const QString &title, const std::function<bool(QPagedPaintDevice &)> &paint) override
    {
        printTitles << title;
        if (!printDevice)
            return PrintOutcome::Cancelled;
        return paint(*printDevice) ? PrintOutcome::Printed : PrintOutcome::Failed;
    }
    QString answer;
    QString suggested;
    QStringList filters; // the kinds of file the last save dialog offered
    int filterChosen = 0; // the one the user takes
    QStringList opened;
    QString toOpen;
    QString openedIn; // the folder the last open dialog started in
    std::optional<QString> typed; // what the user types into the next question
    std::vector<std::optional<QString>> typedInTurn; // answers to the next questions, in turn, before typed
    QStringList asked; // the labels of the questions asked
    QString shownText; // what the last question offered to start with
    QStringList offered; // the choices of the last list shown
    std::optional<int> chosen; // the one the user picks from it
    SendChoice sendOffered; // what the send dialog started from
    std::optional<SendChoice> sendChoice; // what the user chooses in it
    QStringList progressTitles;
    int progressMaximum = 0;
    std::vector<int> progress; // every value shown
    QStringList progressLabels; // every label shown
    int cancelProgressAt = -1;
    QStringList printTitles;
    QPagedPaintDevice *printDevice = nullptr; // where the user prints; none: cancelled
};
