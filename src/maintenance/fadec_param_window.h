#pragma once

#include <memory>
#include <string>

#include "core/channels.h"
#include "core/startup_files.h"
#include "forms/form.h"
#include "link/status_fields.h"
#include "platform/platform.h"

namespace lec {

class ParamInputDialog;

// The parameter window `FadecParameters`: the 32-byte parameter table of the
// selected engine's FADEC, read from it, edited row by row in the input
// dialog, written back, reset to the defaults, kept in ParamSt.ini.
class FadecParamWindow {
public:
    FadecParamWindow(forms::FormSet& forms, forms::Form& log, Platform& platform,
                     Channels& channels);
    ~FadecParamWindow();
    FadecParamWindow(const FadecParamWindow&) = delete;
    FadecParamWindow& operator=(const FadecParamWindow&) = delete;

    forms::Form& form() { return window_; }

    // The menu entry "FADEC Parameters".
    void open();
    // The 32 row titles (`TitreListeParam`) and the built-in defaults on the
    // display (`TableParamDefaut`).
    void TitreListeParam();
    void TableParamDefaut();
    // All 32 values "0".
    void zeroValues();
    // Another engine was selected on the main window: values "0", heading
    // "Selected LE : n".
    void selectionChanged();
    // The values found in ParamSt.ini at start-up.
    void loadValues(const startup_files::ParamValues& values);
    // A parameter frame from engine index `le`: the values it carried.
    void parameterFrame(int le, const status::FieldResults& fields);
    // The parameter write of the send routine for engine index `le`: slots
    // 0..31 of its row from the value texts. False when a value does not fit
    // in a byte: nothing may be sent, the user has been told.
    bool writeParameters(int le);
    // The main window's motor-speed field: the input dialog in speed mode.
    void openSpeedEntry();

    ParamInputDialog& inputDialog() { return *input_; }

    // The value text of row `row` (0..31), as `Label59(32 + row)` shows it.
    const std::string& valueText(int row) const;

private:
    void build();
    void enableButtons();
    void setValue(int row, std::string text);
    void setValues(const startup_files::ParamValues& values);
    // "Read Settings" and "Write Settings": the request for the selected
    // engine's next command frame.
    void requestTransfer(Byte request);
    void readFile();
    void storeFile();
    void editRow(int row, int x);
    void restoreTitleColours();
    std::string paramFilePath() const;
    // The window's left and top on the screen, in twips.
    int screenLeft() const;
    int screenTop() const;

    forms::Form& window_;
    forms::Form& log_;
    Platform& platform_;
    Channels& channels_;
    std::unique_ptr<ParamInputDialog> input_;
    Timer& timer1_;
};

}  // namespace lec
