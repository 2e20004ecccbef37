#include "app/qt/tab_stop_delegate.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>

namespace lec {

namespace {

constexpr int kDefaultTabStop = 32;  // dialog units

}  // namespace

QTextOption TabStopDelegate::tabOption(const std::vector<int>& dialogUnits, const QFont& font) {
    const qreal unit = QFontMetricsF(font).averageCharWidth() / 4.0;
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    if (dialogUnits.size() <= 1) {
        const int every = dialogUnits.empty() ? kDefaultTabStop : dialogUnits.front();
        option.setTabStopDistance(std::max(1.0, every * unit));
        return option;
    }
    QList<QTextOption::Tab> tabs;
    for (int stop : dialogUnits) {
        tabs.append(QTextOption::Tab(stop * unit, QTextOption::LeftTab));
    }
    option.setTabs(tabs);
    return option;
}

void TabStopDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    const QString text = opt.text;
    opt.text.clear();

    const QWidget* widget = opt.widget;
    QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget)
                           .adjusted(margin, 0, -margin, 0);

    QTextLayout layout(text, opt.font, painter->device());
    layout.setTextOption(tabOption(tabStops_, opt.font));
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (line.isValid()) {
        line.setLineWidth(1e6);
    }
    layout.endLayout();

    QPalette::ColorGroup group = QPalette::Disabled;
    if ((opt.state & QStyle::State_Enabled) != 0) {
        group = (opt.state & QStyle::State_Active) != 0 ? QPalette::Normal : QPalette::Inactive;
    }
    const bool selected = (opt.state & QStyle::State_Selected) != 0;
    painter->save();
    painter->setClipRect(area);
    painter->setPen(
        opt.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    const qreal top = area.top() + (area.height() - layout.boundingRect().height()) / 2.0;
    layout.draw(painter, QPointF(area.left(), top));
    painter->restore();
}

}  // namespace lec
