#include "export_text.h"

namespace imageio {

std::string AsciiText(const std::string& text) {
    std::string s = text;
    for (char& c : s) {
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7E) {
            c = '?';
        }
    }
    return s;
}

std::string PatternTitle(const ExportDescription& description) {
    std::string title;
    if (description.patternNumber) {
        title = std::to_string(*description.patternNumber);
        if (!description.patternName.empty()) {
            title += ' ';
        }
    }
    return title + AsciiText(description.patternName);
}

std::string PatternStateLine(const ExportDescription& description, int width, int height) {
    return PatternTitle(description) + ' ' + std::to_string(width) + 'x' + std::to_string(height) +
           " gray " + std::to_string(description.grayLevel) + " steps " +
           std::to_string(description.stepCount) + " labels " +
           (description.labelsOn ? "on" : "off");
}

std::string PatternSentence(const ExportDescription& description, int width, int height) {
    std::string s = SoftwareName(description) + " test pattern " + PatternTitle(description) +
                    ", drawn for a client area of " + std::to_string(width) + " x " +
                    std::to_string(height) + " pixels with gray level " +
                    std::to_string(description.grayLevel) + ", " +
                    std::to_string(description.stepCount) + " steps and value labels " +
                    (description.labelsOn ? "on" : "off") +
                    ". A synthetic test image, not an image of a patient.";
    return s;
}

std::string SoftwareName(const ExportDescription& description) {
    std::string name = "Lumivex";
    if (!description.programVersion.empty()) {
        name += ' ' + AsciiText(description.programVersion);
    }
    return name;
}

} // namespace imageio
