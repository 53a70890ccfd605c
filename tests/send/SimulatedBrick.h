#pragma once

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "TestPaths.h"
#include "performance/BrickEvents.h"
#include "performance/BrickTones.h"

// The simulated infrared tower and RCX (rcx_simulator.py) on a pseudo-terminal,
// for as long as the object lives. Its flags make it fail as a real one does.
class SimulatedBrick {
public:
    explicit SimulatedBrick(const QStringList &flags = {})
    {
        m_process.start(QStringLiteral("/usr/bin/python3"),
                        QStringList{QStringLiteral(ZEPA_TESTS_DIR "/send/rcx_simulator.py"), statePath(),
                                    QStringLiteral("--log"), logPath()}
                            + flags);
        if (m_process.waitForReadyRead(10000))
            m_port = QString::fromUtf8(m_process.readLine()).trimmed();
    }
    ~SimulatedBrick()
    {
        m_process.kill();
        m_process.waitForFinished(5000);
    }

    // The pseudo-terminal the tower is on; empty when the simulator did not start.
    QString port() const { return m_port; }

    // The bytecode of a task of a program slot (1 … 5), as the brick keeps it.
    QByteArray task(int slot, int task) const
    {
        const QJsonObject programs = state().value(QStringLiteral("slots")).toArray().at(slot - 1).toObject();
        return QByteArray::fromHex(programs.value(QString::number(task)).toString().toLatin1());
    }
    bool hasTask(int slot, int task) const
    {
        return state().value(QStringLiteral("slots")).toArray().at(slot - 1).toObject().contains(QString::number(task));
    }
    int selected() const { return state().value(QStringLiteral("selected")).toInt(); }
    // Everything the tower was sent.
    QByteArray log() const
    {
        QFile file(logPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // A music task's bytecode as tones and waits: 23 f_lo f_hi d a PlayTone,
    // 43 02 n_lo n_hi a Wait (K. Proudfoot, RCX opcodes); nothing else may be in it.
    static std::optional<std::vector<BrickEvent>> decode(const QByteArray &code)
    {
        std::vector<BrickEvent> events;
        const auto byte = [&code](qsizetype at) { return quint8(code.at(at)); };
        for (qsizetype at = 0; at < code.size();) {
            if (byte(at) == 0x23 && at + 4 <= code.size()) {
                const int hertz = byte(at + 1) | (byte(at + 2) << 8);
                int tone = -1;
                for (int i = 0; i < ToneCount; ++i) {
                    if (brickTones()[std::size_t(i)].hertz == hertz)
                        tone = i;
                }
                if (tone < 0)
                    return std::nullopt;
                events.push_back({BrickEvent::Kind::Tone, quint8(tone), quint16(byte(at + 3))});
                at += 4;
            } else if (byte(at) == 0x43 && at + 4 <= code.size() && byte(at + 1) == 0x02) {
                events.push_back({BrickEvent::Kind::Wait, 0, quint16(byte(at + 2) | (byte(at + 3) << 8))});
                at += 4;
            } else {
                return std::nullopt;
            }
        }
        return events;
    }

private:
    QString statePath() const { return m_folder.filePath(QStringLiteral("state.json")); }
    QString logPath() const { return m_folder.filePath(QStringLiteral("tower.log")); }
    QJsonObject state() const
    {
        QFile file(statePath());
        return file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll()).object() : QJsonObject();
    }

    QTemporaryDir m_folder;
    QProcess m_process;
    QString m_port;
};
