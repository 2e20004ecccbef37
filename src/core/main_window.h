#pragma once

#include <memory>
#include <vector>

#include "core/channels.h"
#include "forms/form.h"
#include "platform/platform.h"

namespace lec {

// The chart picture of each engine, all at the same place, LE-1's shown at
// start.
inline constexpr const char* kChartPictures[kLeCount] = {"Picture13", "Picture15", "Picture16",
                                                         "Picture17", "Picture18", "Picture19"};

// The main window `Log` as designed: its controls with their designed
// captions, colours and places. The pieces of the program find them by name
// and give them their behaviour.
class MainWindow {
public:
    MainWindow(forms::FormSet& forms, Platform& platform);

    forms::Form& form() { return log_; }

    // Designed title, replaced by the initialisation.
    static constexpr const char* kDesignedCaption = "  Kelvan Light Engine Control (RS232)";

private:
    void build();
    void buildLeTable();
    void buildAlarmsMenu();
    void buildDetailArea();
    void buildCharts();
    void buildRestBoxes();
    void buildStartButtons();
    void buildThermometer();
    void buildIoPanel();
    // A picture box of the main window with its persistent image.
    forms::Control& addPicture(const char* name, int index, int widthPx, int heightPx,
                               Colour background);

    Platform& platform_;
    forms::Form& log_;
    // The images the picture boxes show; the controls only point at them.
    std::vector<std::unique_ptr<Surface>> surfaces_;
};

}  // namespace lec
