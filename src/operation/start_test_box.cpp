#include "operation/start_test_box.h"

namespace lec {

StartTestBox::StartTestBox(forms::FormSet& forms, forms::Form& log, Platform& platform,
                           Channels& channels, ActivityLog& activityLog)
    : window_(forms.create("BoiteStartTest")),
      log_(log),
      platform_(platform),
      channels_(channels),
      activityLog_(activityLog) {}

void StartTestBox::open() {}

}  // namespace lec
