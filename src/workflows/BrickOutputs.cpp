// The programs for the bricks after the RCX, each in its own language, with
// what the brick cannot play as the RCX does.
#include <QCoreApplication>

#include "base/MenuText.h"
#include "workflows/Outputs.h"

namespace {

struct BrickWords {
    const char *id;
    const char *menuText;
    const char *fileFilter;
    const char *nameEnding;
};

BrickWords wordsOf(ExportTarget target)
{
    switch (target) {
    case ExportTarget::Nxc:
        return {"nxc", QT_TRANSLATE_NOOP("Outputs", "NXT（NXC）(&X)..."),
                QT_TRANSLATE_NOOP("Outputs", "NXCプログラム (*.nxc)"), ".nxc"};
    case ExportTarget::Pybricks:
        return {"pybricks", QT_TRANSLATE_NOOP("Outputs", "Pybricks（SPIKE・EV3・Powered Up）(&P)..."),
                QT_TRANSLATE_NOOP("Outputs", "Pythonプログラム (*.py)"), "_pybricks.py"};
    case ExportTarget::Microbit:
        return {"microbit", QT_TRANSLATE_NOOP("Outputs", "micro:bit（MicroPython）(&M)..."),
                QT_TRANSLATE_NOOP("Outputs", "Pythonプログラム (*.py)"), "_microbit.py"};
    case ExportTarget::Ev3dev:
        break;
    }
    return {"ev3dev", QT_TRANSLATE_NOOP("Outputs", "EV3（ev3dev の Python）(&E)..."),
            QT_TRANSLATE_NOOP("Outputs", "Pythonプログラム (*.py)"), "_ev3dev.py"};
}

class BrickOutput : public OutputWriter {
public:
    explicit BrickOutput(ExportTarget target)
        : m_target(target)
    { }

    OutputFormat format() const override
    {
        const BrickWords words = wordsOf(m_target);
        OutputFormat format;
        format.id = QString::fromLatin1(words.id);
        format.commandName = format.id;
        format.menuText = QCoreApplication::translate("Outputs", words.menuText);
        format.description = QCoreApplication::translate(
                                 "Outputs", "%1のプログラムに書き出します。変わるところは書き出したあとで知らせます。")
                                 .arg(plainMenuText(format.menuText));
        format.dialogTitle = QCoreApplication::translate("Outputs", "ほかのブロック用に書き出す");
        format.fileFilter = QCoreApplication::translate("Outputs", words.fileFilter);
        format.nameEnding = QString::fromLatin1(words.nameEnding);
        format.place = OutputPlace::Bricks;
        format.brick = m_target;
        return format;
    }

    OutputResult write(const OutputSource &source, const QString &path, UserFileWriter::Replace replace,
                       const OutputProgress &) const override
    {
        const ExportedProgram program = exportProgram(m_target, source.melody->notes, source.melody->tempo);
        // The EV3 runs its programs from its file menu by their first line.
        const bool ev3 = m_target == ExportTarget::Ev3dev || m_target == ExportTarget::Pybricks;
        OutputResult result = fromWrite(UserFileWriter::write(
            path, program.text, replace, ev3 ? UserFileWriter::Mode::Executable : UserFileWriter::Mode::Plain));
        result.changes = program.changes;
        return result;
    }

private:
    ExportTarget m_target;
};

} // namespace

std::unique_ptr<OutputWriter> makeBrickOutput(ExportTarget target)
{
    return std::make_unique<BrickOutput>(target);
}
