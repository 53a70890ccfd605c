#include "playback/SystemAudioSink.h"

#include <QtDebug>

#include "base/LateModule.h"

std::unique_ptr<SystemAudioSink> openSystemAudioSink(int sampleRate)
{
    QString why;
    OpenSystemAudioSink *open = LateModule::function<OpenSystemAudioSink>("audio", OpenSystemAudioSinkSymbol, &why);
    if (!open) {
        qWarning("ZEPA's sound module could not be loaded: %s", qPrintable(why));
        return nullptr;
    }
    return std::unique_ptr<SystemAudioSink>(open(sampleRate));
}
