#pragma once

#include <string>

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

// Compiles a program for the RCX 2 with the real NQC compiler; an error text
// when it is refused or cannot be run.
inline QString compileError(const std::string &program)
{
    const QString nqc = QStandardPaths::findExecutable(QStringLiteral("nqc"));
    if (nqc.isEmpty())
        return QStringLiteral("the NQC compiler (Debian package nqc) is not installed");
    QTemporaryDir directory;
    const QString source = directory.filePath(QStringLiteral("music0.nqc"));
    QFile file(source);
    if (!file.open(QIODevice::WriteOnly)
        || file.write(program.data(), qint64(program.size())) != qint64(program.size()))
        return QStringLiteral("could not write the program");
    file.close();

    QProcess compiler;
    compiler.setProcessChannelMode(QProcess::MergedChannels);
    compiler.start(
        nqc,
        {QStringLiteral("-TRCX2"), QStringLiteral("-O") + directory.filePath(QStringLiteral("music0.rcx")), source});
    if (!compiler.waitForFinished(120000))
        return QStringLiteral("nqc did not finish");
    const QString output = QString::fromLocal8Bit(compiler.readAll()).trimmed();
    if (compiler.exitStatus() != QProcess::NormalExit || compiler.exitCode() != 0 || !output.isEmpty())
        return QStringLiteral("nqc refused the program (exit %1): %2").arg(compiler.exitCode()).arg(output.left(2000));
    return QString();
}
