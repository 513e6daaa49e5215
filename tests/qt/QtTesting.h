// What the tests of Qt windows share: Qt's texts printed readably in failure messages, and a user
// who acts on a modal message box.
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <QTimer>
#include <functional>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace qttesting {

// Runs show(), which shows a modal message box, and lets the user act on the box once it shows.
template <class Show>
auto actingOnTheBox(const std::function<void(QMessageBox&)>& user, Show show) {
    std::function<void()> act = [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) {
            QTimer::singleShot(5, act);
            return;
        }
        user(*box);
    };
    QTimer::singleShot(0, act);
    return show();
}

}  // namespace qttesting
