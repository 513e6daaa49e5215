// Ctr_Ostrevan as a form designer places it on a form: a live control just created, in its
// design-time state (no database, no Init), shown by the Qt views over its surface at its design
// size. The widget owns the control and lets the views go before the control they show.
#pragma once

#include <QWidget>
#include <memory>

#include "control/Ctr_Ostrevan.h"
#include "platform/qt/SurfaceWidget.h"

namespace designer {

// Named as the control's class, which is the name the designer lists: the designer checks that
// the widget it is handed is of that class, its namespace aside.
class Ctr_Ostrevan : public QWidget {
    Q_OBJECT

public:
    explicit Ctr_Ostrevan(QWidget* parent = nullptr);
    ~Ctr_Ostrevan() override;

    QSize sizeHint() const override;

private:
    std::unique_ptr<Ctr_Ostrevan_Interface> control_;
    // Declared after the control, so destroyed before it.
    std::unique_ptr<qtview::SurfaceWidget> view_;
};

}  // namespace designer
