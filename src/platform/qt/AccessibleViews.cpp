#include "platform/qt/AccessibleViews.h"

#include <QAccessibleWidget>
#include <QComboBox>

#include "platform/qt/TextConversion.h"

namespace qtview {
namespace {

// Set on the Qt widget of every view: whether its model is not announced.
constexpr const char* kUnannounced = "ostrevanUnannounced";

class NamedComboBox : public QAccessibleWidget {
public:
    explicit NamedComboBox(QComboBox& combo) : QAccessibleWidget(&combo, QAccessible::ComboBox) {}

    QString text(QAccessible::Text kind) const override {
        const bool unnamed = kind == QAccessible::Name && widget()->accessibleName().isEmpty();
        if (kind == QAccessible::Value || unnamed)
            return static_cast<QComboBox*>(widget())->currentText();
        return QAccessibleWidget::text(kind);
    }
};

class Unannounced : public QAccessibleWidget {
public:
    explicit Unannounced(QWidget& widget) : QAccessibleWidget(&widget) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.invisible = true;
        return state;
    }
};

// Qt asks for the most derived class first: a view's own Qt class.
QAccessibleInterface* viewInterface(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    const QVariant unannounced = widget != nullptr ? widget->property(kUnannounced) : QVariant();
    if (!unannounced.isValid()) return nullptr;
    if (unannounced.toBool()) return new Unannounced(*widget);
    auto* combo = qobject_cast<QComboBox*>(widget);
    if (combo != nullptr && className == QLatin1String("QComboBox"))
        return new NamedComboBox(*combo);
    return nullptr;
}

}  // namespace

void describe(QWidget& widget, const toolkit::Accessibility& accessibility) {
    [[maybe_unused]] static const bool installed = [] {
        QAccessible::installFactory(viewInterface);
        return true;
    }();
    widget.setAccessibleName(toQString(accessibility.name));
    widget.setAccessibleDescription(toQString(accessibility.description));
    const QVariant unannounced = !accessibility.announced;
    if (widget.property(kUnannounced) == unannounced) return;
    widget.setProperty(kUnannounced, unannounced);
    // Qt makes a widget's interface as early as its construction, and keeps it: the one made
    // before is dropped, so that the next is made with the view's.
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(&widget))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

}  // namespace qtview
