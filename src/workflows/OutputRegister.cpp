// The register of outputs. A new format is its writer, in a file of its own,
// and one line here; its place in this list is its place in the menus.
#include "workflows/Outputs.h"

std::unique_ptr<OutputWriter> makeNqcOutput();
std::unique_ptr<OutputWriter> makeWavOutput();
std::unique_ptr<OutputWriter> makeMidiOutput();
std::unique_ptr<OutputWriter> makeMidiAsPlayedOutput();
std::unique_ptr<OutputWriter> makePdfOutput();
std::unique_ptr<OutputWriter> makeMusicXmlOutput();
std::unique_ptr<OutputWriter> makeLilyPondOutput();
std::unique_ptr<OutputWriter> makeBrickOutput(ExportTarget target);

const std::vector<std::unique_ptr<OutputWriter>> &outputWriters()
{
    static const std::vector<std::unique_ptr<OutputWriter>> writers = [] {
        std::vector<std::unique_ptr<OutputWriter>> all;
        all.push_back(makeNqcOutput());
        all.push_back(makeWavOutput());
        all.push_back(makeMidiOutput());
        all.push_back(makeMidiAsPlayedOutput());
        all.push_back(makePdfOutput());
        all.push_back(makeMusicXmlOutput());
        all.push_back(makeLilyPondOutput());
        all.push_back(makeBrickOutput(ExportTarget::Nxc));
        all.push_back(makeBrickOutput(ExportTarget::Pybricks));
        all.push_back(makeBrickOutput(ExportTarget::Microbit));
        all.push_back(makeBrickOutput(ExportTarget::Ev3dev));
        return all;
    }();
    return writers;
}
