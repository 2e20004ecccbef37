#pragma once

#include <vector>

#include "platform/dialogs.h"

namespace lec {

// Boxes that nobody draws: a test or a script answers them through
// Dialogs::answer()/press(). Headless runs use it too, with an open observer
// that prints each box.
class RecordingDialogs : public Dialogs {
public:
    // Every box ever opened, oldest first, answered or not.
    const std::vector<Box>& history() const { return history_; }
    // Ids of the boxes taken off the screen, in that order.
    const std::vector<int>& dismissed() const { return dismissed_; }

protected:
    void present(const Box& box) override;
    void dismiss(int id) override;

private:
    std::vector<Box> history_;
    std::vector<int> dismissed_;
};

}  // namespace lec
