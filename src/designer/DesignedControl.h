// Ctr_Ostrevan as a form designer places it on a form: a live control just created, in its
// design-time state (no database, no Init), shown by the Qt views over its surface at its design
// size. The widget owns the control and lets the views go before the control they show.
//
// The designer checks that the widget it is handed is of the class it lists, by the exact name
// "Ctr_Ostrevan". The widget's class bears that name in a namespace of its own file only, so that
// it never meets the control's own class of the same name.
#pragma once

class QWidget;

namespace designer {

QWidget* createDesignedControl(QWidget* parent);

}  // namespace designer
