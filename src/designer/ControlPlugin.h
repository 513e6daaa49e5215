// The Qt Designer plugin of Ctr_Ostrevan: it lists the control's widget ostrevan::ControlWidget in
// the designer's widget box, in the group "Ostrevan", under the control's toolbox image (resource
// 30000), at its design size, and places a live control on a form: a control just created, in its
// design-time state (no database, no Init). A form that holds it includes the widget's installed
// header, widget/ControlWidget.h.
#pragma once

#include <QObject>

#include <QtUiPlugin/QDesignerCustomWidgetInterface>

namespace designer {

class ControlPlugin : public QObject, public QDesignerCustomWidgetInterface {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetInterface")
    Q_INTERFACES(QDesignerCustomWidgetInterface)

public:
    explicit ControlPlugin(QObject* parent = nullptr) : QObject(parent) {}

    QString name() const override;
    QString group() const override;
    QString toolTip() const override;
    QString whatsThis() const override;
    QString includeFile() const override;
    QIcon icon() const override;
    bool isContainer() const override { return false; }
    QWidget* createWidget(QWidget* parent) override;
    QString domXml() const override;
};

}  // namespace designer
