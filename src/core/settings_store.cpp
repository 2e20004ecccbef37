#include "core/settings_store.h"

#include "platform/text_file.h"

namespace lec {

std::string SettingsStore::path(const char* fileName) const {
    return textfile::join(appFolder_, fileName);
}

int SettingsStore::loadMainFile(settings_file::BadLine mode) {
    const auto lines = textfile::readLines(path(settings_file::kMain));
    if (!lines) {
        return 1;  // nothing could be read: every setting keeps its value
    }
    return settings_file::apply(*lines, settings_, mode);
}

int SettingsStore::load(settings_file::BadLine mode) {
    const int bad = loadMainFile(mode);
    if (const auto lines = textfile::readLines(path(settings_file::kCoefficientView))) {
        settings_file::applyCoefficientView(*lines, settings_);
    }
    return bad;
}

bool SettingsStore::save(std::string& failedFile) const {
    if (!textfile::writeLines(path(settings_file::kMain), settings_file::savedLines(settings_))) {
        failedFile = settings_file::kMain;
        return false;
    }
    const std::string view = textfile::printedNumber(settings_.CoefficientView);
    if (!textfile::writeLines(path(settings_file::kCoefficientView), {view})) {
        failedFile = settings_file::kCoefficientView;
        return false;
    }
    return true;
}

}  // namespace lec
