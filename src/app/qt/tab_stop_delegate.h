#pragma once

#include <vector>

#include <QStyledItemDelegate>
#include <QTextOption>

namespace lec {

// Draws list rows with their tabs expanded to the list box's tab stops, so
// tab-separated columns line up as they did in the original.
class TabStopDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // In dialog units (a quarter of the font's average character width).
    void setTabStops(std::vector<int> dialogUnits) { tabStops_ = std::move(dialogUnits); }

    // The list box's rule: no stops = every 32 units, one stop = every that
    // many units, several = at those positions.
    static QTextOption tabOption(const std::vector<int>& dialogUnits, const QFont& font);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    std::vector<int> tabStops_;
};

}  // namespace lec
