// The module "zip": the score inside an .mxl, read with libzip. Only this
// file links libzip, and with it the cryptography libzip links.
#include <zip.h>

#include <QCoreApplication>
#include <QXmlStreamReader>

#include "notation/MusicXmlPart.h"

namespace MusicXml {

namespace {

// The largest score inside an .mxl that is read, against a zip that unpacks
// to gigabytes.
constexpr zip_uint64_t LargestInnerFile = 64 * 1024 * 1024;

std::optional<QByteArray> scoreInZip(const QByteArray &bytes, Failure &failure)
{
    const Failure broken{
        QCoreApplication::translate("MxlArchive", "圧縮されたMusicXML（.mxl）が壊れているか、途中で切れています。")};
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *source = zip_source_buffer_create(bytes.constData(), zip_uint64_t(bytes.size()), 0, &error);
    // Without libzip's stricter consistency check: it refuses archives that
    // streaming writers make (sizes in a data descriptor, local headers whose
    // extra fields differ from the central directory's), which extract
    // correctly; a damaged or cut archive still fails to open or to pass
    // its CRC.
    zip_t *archive = source ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr;
    zip_error_fini(&error);
    if (!archive) {
        if (source)
            zip_source_free(source);
        failure = broken;
        return std::nullopt;
    }
    auto readEntry = [&](const char *name) -> std::optional<QByteArray> {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat(archive, name, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE) || stat.size > LargestInnerFile)
            return std::nullopt;
        zip_file_t *file = zip_fopen(archive, name, 0);
        if (!file)
            return std::nullopt;
        QByteArray contents(qsizetype(stat.size), Qt::Uninitialized);
        const zip_int64_t read = zip_fread(file, contents.data(), stat.size);
        zip_fclose(file);
        if (read != zip_int64_t(stat.size))
            return std::nullopt;
        return contents;
    };
    QByteArray rootName;
    if (const std::optional<QByteArray> container = readEntry("META-INF/container.xml")) {
        QXmlStreamReader xml(*container);
        while (!xml.atEnd() && rootName.isEmpty()) {
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("rootfile"))
                rootName = xml.attributes().value(QLatin1String("full-path")).toUtf8();
        }
    }
    if (rootName.isEmpty()) {
        const zip_int64_t entries = zip_get_num_entries(archive, 0);
        for (zip_int64_t i = 0; i < entries && rootName.isEmpty(); ++i) {
            const QByteArray name = zip_get_name(archive, zip_uint64_t(i), 0);
            if (!name.startsWith("META-INF/") && (name.endsWith(".musicxml") || name.endsWith(".xml")))
                rootName = name;
        }
    }
    std::optional<QByteArray> score = rootName.isEmpty() ? std::nullopt : readEntry(rootName.constData());
    zip_discard(archive);
    if (!score)
        failure = broken;
    return score;
}

} // namespace

} // namespace MusicXml

extern "C" Q_DECL_EXPORT bool zepa_unzipped_score(const QByteArray *bytes, QByteArray *score, QString *failure)
{
    MusicXml::Failure failed;
    std::optional<QByteArray> found = MusicXml::scoreInZip(*bytes, failed);
    if (!found) {
        *failure = failed.text;
        return false;
    }
    *score = std::move(*found);
    return true;
}
