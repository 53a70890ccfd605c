#include "base/LateModule.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>

#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QStringList>

namespace LateModule {
namespace {

// The program's own folder, from the kernel: there may be no application
// object yet (or ever, in a fuzz target).
QString programFolder()
{
    return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath()).absolutePath();
}

QStringList candidates(const QString &fileName)
{
    QStringList paths;
    const QString named = qEnvironmentVariable("ZEPA_MODULE_DIR");
    if (!named.isEmpty())
        paths << QDir(named).filePath(fileName);
    const QDir program(programFolder());
    paths << program.filePath(QStringLiteral("modules/") + fileName)
          << program.filePath(QStringLiteral(ZEPA_INSTALLED_MODULES "/") + fileName);
    return paths;
}

struct Loaded {
    std::unique_ptr<QLibrary> library; // null when it could not be loaded
    QString failure;
};

Loaded load(const char *name)
{
    const QString fileName = QStringLiteral("libzepa_%1.so").arg(QLatin1String(name));
    QString failure;
    for (const QString &path : candidates(fileName)) {
        if (!QFileInfo::exists(path))
            continue;
        auto library = std::make_unique<QLibrary>(path);
        if (library->load())
            return {std::move(library), QString()};
        failure = library->errorString();
    }
    if (failure.isEmpty())
        failure = QStringLiteral("%1 not found in %2").arg(fileName, candidates(QString()).join(QStringLiteral(", ")));
    return {nullptr, failure};
}

} // namespace

QFunctionPointer resolve(const char *name, const char *symbol, QString *why)
{
    static std::mutex guard;
    static std::map<std::string, Loaded> modules;
    const std::lock_guard lock(guard);
    auto found = modules.find(name);
    if (found == modules.end())
        found = modules.emplace(name, load(name)).first;
    const Loaded &module = found->second;
    QFunctionPointer function = module.library ? module.library->resolve(symbol) : nullptr;
    if (!function && why)
        *why = module.library ? module.library->errorString() : module.failure;
    return function;
}

} // namespace LateModule
