#include "platform/virtual/recording_dialogs.h"

namespace lec {

void RecordingDialogs::present(const Box& box) {
    history_.push_back(box);
}

void RecordingDialogs::dismiss(int id) {
    dismissed_.push_back(id);
}

}  // namespace lec
