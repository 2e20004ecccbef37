#include "app/qt/screenshot.h"

#include <QPixmap>
#include <QWidget>

#include "app/qt/form_views.h"

namespace lec {

bool saveScreenshot(FormViews& views, const forms::Form& form, const std::string& pngPath) {
    views.sync();
    QWidget* window = views.ensureWindow(form);
    if (window == nullptr) {
        return false;
    }
    const QPixmap picture = window->grab();
    return !picture.isNull() && picture.save(QString::fromStdString(pngPath), "PNG");
}

}  // namespace lec
