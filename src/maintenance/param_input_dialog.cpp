#include "maintenance/param_input_dialog.h"

namespace lec {

ParamInputDialog::ParamInputDialog(forms::FormSet& forms, Platform& platform, Channels& channels)
    : window_(forms.create("Saisie")), platform_(platform), channels_(channels) {}

}  // namespace lec
