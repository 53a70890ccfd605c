#pragma once

#include <string>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
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

// The "Total size" the real compiler lists for a program, or -1 with the
// reason in error.
inline qint64 compiledSize(const std::string &program, QString &error)
{
    const QString nqc = QStandardPaths::findExecutable(QStringLiteral("nqc"));
    if (nqc.isEmpty()) {
        error = QStringLiteral("the NQC compiler (Debian package nqc) is not installed");
        return -1;
    }
    QTemporaryDir directory;
    const QString source = directory.filePath(QStringLiteral("music0.nqc"));
    QFile file(source);
    if (!file.open(QIODevice::WriteOnly)
        || file.write(program.data(), qint64(program.size())) != qint64(program.size())) {
        error = QStringLiteral("could not write the program");
        return -1;
    }
    file.close();
    QProcess compiler;
    compiler.start(nqc, {QStringLiteral("-TRCX2"), QStringLiteral("-L"), QStringLiteral("-O/dev/null"), source});
    if (!compiler.waitForFinished(120000)) {
        error = QStringLiteral("nqc did not finish");
        return -1;
    }
    const QString listing = QString::fromLocal8Bit(compiler.readAllStandardOutput());
    static const QRegularExpression total(QStringLiteral(R"(Total size: (\d+) bytes)"));
    const QRegularExpressionMatch match = total.match(listing);
    if (!match.hasMatch()) {
        error = QStringLiteral("no total size in the listing: ") + listing.right(300);
        return -1;
    }
    return match.captured(1).toLongLong();
}
