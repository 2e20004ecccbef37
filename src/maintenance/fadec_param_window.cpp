#include "maintenance/fadec_param_window.h"

#include "maintenance/param_input_dialog.h"

namespace lec {

FadecParamWindow::FadecParamWindow(forms::FormSet& forms, forms::Form& log, Platform& platform,
                                   Channels& channels)
    : window_(forms.create("FadecParameters")),
      log_(log),
      platform_(platform),
      channels_(channels),
      input_(std::make_unique<ParamInputDialog>(forms, platform, channels)) {}

FadecParamWindow::~FadecParamWindow() = default;

void FadecParamWindow::open() {}
void FadecParamWindow::TitreListeParam() {}
void FadecParamWindow::TableParamDefaut() {}
void FadecParamWindow::zeroValues() {}
void FadecParamWindow::selectionChanged() {}
void FadecParamWindow::loadValues(const startup_files::ParamValues&) {}
void FadecParamWindow::parameterFrame(int, const status::FieldResults&) {}
bool FadecParamWindow::writeParameters(int) {
    return false;
}
void FadecParamWindow::openSpeedEntry() {}

}  // namespace lec
