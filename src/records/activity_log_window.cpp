#include "records/activity_log_window.h"

#include <iterator>

#include "platform/text_file.h"
#include "records/histo_list.h"

namespace lec {

namespace {

using forms::Kind;

constexpr int kWidth = 13470;
constexpr int kHeight = 9675;

}  // namespace

ActivityLogWindow::ActivityLogWindow(forms::FormSet& forms, forms::Form& log, Platform& platform,
                                     ActivityLog& activityLog, QuestionWindow& question)
    : window_(forms.create("Histo")),
      platform_(platform),
      activityLog_(activityLog),
      question_(question),
      list_(window_.add(Kind::ListBox, "List1")),
      timer1_(window_.addTimer(platform.scheduler.createTimer("Timer1", 100))) {
    build();
    timer1_.setHandler([this] { load(); });
    log.at("mnuhisto").onClick = [this] { window_.show(); };
}

void ActivityLogWindow::build() {
    window_.caption = "  Activity Logging          [File:  Histo.txt]";
    window_.setSize(kWidth, kHeight);
    window_.border = forms::BorderStyle::FixedSingle;
    window_.controlBox = false;
    window_.minButton = false;
    window_.maxButton = false;
    window_.showInTaskbar = false;
    window_.centred = true;

    // A fixed-pitch font, so that the columns of the records line up.
    list_.font.name = "Courier New";
    list_.font.size = 9.75;
    list_.setGeometry(0, 0, kWidth - 120, kHeight - 750);

    auto& file = window_.add(Kind::Menu, "mnuFichier");
    file.caption = "File";
    struct Entry {
        const char* name;
        const char* caption;
    };
    constexpr Entry kEntries[] = {
        {"mnuChargeFichier", "Upload File"},
        {"mnuSep1", "-"},
        {"mnuEffListe", "Delete List View"},
        {"mnuEffLeFichier", "Delete File Hdd"},
        {"mnuSep2", "-"},
        {"mnuPrinter", "Print List"},
        {"mnuSep3", "-"},
        {"mnuQuitterHisto", "Quit"},
    };
    for (const auto& [name, caption] : kEntries) {
        auto& entry = window_.add(Kind::Menu, name);
        entry.caption = caption;
        entry.parentMenu = &file;
    }

    window_.at("mnuChargeFichier").onClick = [this] { timer1_.start(); };
    window_.at("mnuEffListe").onClick = [this] { list_.clear(); };
    window_.at("mnuEffLeFichier").onClick = [this] { askDeleteFile(); };
    window_.at("mnuPrinter").onClick = [this] { askPrint(); };
    window_.at("mnuQuitterHisto").onClick = [this] { window_.unload(); };

    window_.onLoad = [this] { timer1_.start(); };
    window_.onUnload = [this] {
        timer1_.stop();
        list_.clear();
    };
}

void ActivityLogWindow::load() {
    histoEntryCount_ = 0;
    list_.clear();
    list_.items = histo::headings();

    histo::Loaded loaded = histo::loadAndRewrite(activityLog_.path());
    histoEntryCount_ = loaded.count;
    list_.items.insert(list_.items.end(), std::make_move_iterator(loaded.records.begin()),
                       std::make_move_iterator(loaded.records.end()));

    if (histoEntryCount_ == 0) {
        list_.clear();
        platform_.dialogs.message(" Warning", "The file is empty ... ", BoxIcon::Information);
    }
    if (loaded.limitReached) {
        platform_.dialogs.message(" Warning!", "The boundaries of the list are reached!");
    }
    timer1_.stop();
}

void ActivityLogWindow::askDeleteFile() {
    question_.ask(" Warning", "Are you sure you want to delete the entire file", /*modal=*/true,
                  [this](bool yes) {
                      if (yes) {
                          deleteFile();
                      }
                  });
}

void ActivityLogWindow::deleteFile() {
    textfile::writeAll(activityLog_.path(), "");
    list_.clear();
    histoEntryCount_ = 0;
}

void ActivityLogWindow::askPrint() {
    question_.ask(" Warning", "Are you sure you want to print the list", /*modal=*/false,
                  [this](bool yes) {
                      if (yes) {
                          print();
                      }
                  });
}

void ActivityLogWindow::print() {
    // Each page is a print job of its own, as the list always went out.
    for (const auto& job : histo::printJobs(list_.items)) {
        for (const auto& line : job) {
            platform_.printer.printLine(line);
        }
        platform_.printer.endDoc();
    }
}

}  // namespace lec
