#include "controller/WriteProgram.h"

#include <QDir>

#include "nqc/ProgramSize.h"
#include "workflows/ProgramSaving.h"

QString WriteProgram::run(std::span<const NoteRecord> notes)
{
    const bool tooLarge = ProgramSize::bytes(notes) > ProgramSize::RcxProgramMemory;
    m_port.beforeWriting(tooLarge);
    const SaveResult saved = saveProgram(m_folder, notes);
    if (saved.status != SaveResult::Status::Saved) {
        m_port.failed(saved, m_folder.folderPath());
        return QString();
    }
    const QString path = QDir(m_folder.folderPath()).filePath(saved.fileName);
    m_port.written(path, tooLarge);
    return path;
}
