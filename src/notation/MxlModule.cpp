#include <QCoreApplication>

#include "base/LateModule.h"
#include "notation/MusicXmlPart.h"

namespace MusicXml {

std::optional<QByteArray> unzippedScore(const QByteArray &bytes, Failure &failure)
{
    // The zip is read in the module "zip" (MxlArchive.cpp), loaded now.
    using Unzip = bool(const QByteArray *bytes, QByteArray *score, QString *failure);
    QString why;
    Unzip *unzip = LateModule::function<Unzip>("zip", "zepa_unzipped_score", &why);
    if (!unzip) {
        failure = {QCoreApplication::translate("MxlArchive",
                                               "圧縮されたMusicXML（.mxl）を開く部品を読み込めません（%1）。ZEPAを入れ直してください。")
                       .arg(why)};
        return std::nullopt;
    }
    QByteArray score;
    if (!unzip(&bytes, &score, &failure.text))
        return std::nullopt;
    return score;
}

} // namespace MusicXml
