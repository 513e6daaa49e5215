#include "designer/ControlPlugin.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <string>

#include "control/ControleOstrevan.h"
#include "platform/qt/Twips.h"
#include "platform/toolkit/Bitmap.h"
#include "screen/Screen.h"
#include "screen/ToolboxImage.h"
#include "widget/ControlWidget.h"

namespace designer {
namespace {

// The dpi at which a form designer lays out a new form's widgets.
constexpr qreal kDesignDpi = 96;

// The toolbox image read from the bitmap that the component library carries as its resource.
QImage toolboxPicture() {
    const std::string bitmap = toolkit::encodeBmp(screen::toolboxImage());
    return QImage::fromData(reinterpret_cast<const uchar*>(bitmap.data()),
                            static_cast<int>(bitmap.size()), "BMP");
}

}  // namespace

QString ControlPlugin::name() const {
    return QStringLiteral("ostrevan::ControlWidget");
}

QString ControlPlugin::group() const {
    return QStringLiteral("Ostrevan");
}

QString ControlPlugin::toolTip() const {
    return QString::fromUtf8(controle_ostrevan::kTitre);
}

QString ControlPlugin::whatsThis() const {
    return toolTip();
}

QString ControlPlugin::includeFile() const {
    return QStringLiteral("widget/ControlWidget.h");
}

QIcon ControlPlugin::icon() const {
    return QIcon(QPixmap::fromImage(toolboxPicture()));
}

QWidget* ControlPlugin::createWidget(QWidget* parent) {
    return new ostrevan::ControlWidget(parent);
}

// A new control takes its design size on the form.
QString ControlPlugin::domXml() const {
    const QRect design = qtview::pixelRect({0, 0, screen::kDesignWidth, screen::kDesignHeight},
                                           kDesignDpi, kDesignDpi);
    return QStringLiteral(
               "<ui language=\"c++\">"
               "<widget class=\"ostrevan::ControlWidget\" name=\"ctr_Ostrevan\">"
               "<property name=\"geometry\"><rect><x>0</x><y>0</y>"
               "<width>%1</width><height>%2</height></rect></property>"
               "</widget></ui>")
        .arg(design.width())
        .arg(design.height());
}

}  // namespace designer
