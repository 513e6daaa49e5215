#include "platform/qt/AccessibleViews.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>

#include "platform/qt/TextConversion.h"

namespace qtview {
namespace {

// Set on the Qt widget of every view: whether its model is not announced.
constexpr const char* kUnannounced = "ostrevanUnannounced";
// Set on a widget that holds views.
constexpr const char* kContainer = "ostrevanContainer";

class NamedComboBox : public QAccessibleWidget {
public:
    explicit NamedComboBox(QComboBox& combo) : QAccessibleWidget(&combo, QAccessible::ComboBox) {}

    int childCount() const override { return 2; }
    QAccessibleInterface* child(int index) const override {
        QObject* children[] = {combo().view(), combo().lineEdit()};
        return index == 0 || index == 1 ? QAccessible::queryAccessibleInterface(children[index])
                                        : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (child->object() == combo().view()) return 0;
        return child->object() == combo().lineEdit() ? 1 : -1;
    }

    QString text(QAccessible::Text kind) const override {
        const bool unnamed = kind == QAccessible::Name && widget()->accessibleName().isEmpty();
        if (kind == QAccessible::Value || unnamed) return combo().currentText();
        return QAccessibleWidget::text(kind);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.expandable = true;
        state.expanded = combo().view()->isVisible();
        state.editable = combo().isEditable();
        return state;
    }

    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    QString localizedActionDescription(const QString& action) const override {
        return opens(action) ? QComboBox::tr("Open the combo box selection popup") : QString();
    }
    void doAction(const QString& action) override {
        if (!opens(action)) return;
        if (combo().view()->isVisible()) {
            combo().hidePopup();
        } else {
            combo().showPopup();
        }
    }

private:
    QComboBox& combo() const { return *static_cast<QComboBox*>(widget()); }
    bool opens(const QString& action) const {
        return action == showMenuAction() || action == pressAction();
    }
};

class Container : public QAccessibleWidget {
public:
    Container(QWidget& widget, QAccessible::Role role) : QAccessibleWidget(&widget, role) {}

    int childCount() const override { return static_cast<int>(announcedChildren().size()); }
    QAccessibleInterface* child(int index) const override {
        const QList<QWidget*> children = announcedChildren();
        const bool valid = index >= 0 && index < children.size();
        return valid ? QAccessible::queryAccessibleInterface(children[index]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return static_cast<int>(
            announcedChildren().indexOf(qobject_cast<QWidget*>(child->object())));
    }

    QString text(QAccessible::Text kind) const override {
        auto* frame = qobject_cast<QGroupBox*>(widget());
        const bool caption =
            kind == QAccessible::Name && frame != nullptr && widget()->accessibleName().isEmpty();
        return caption ? frame->title() : QAccessibleWidget::text(kind);
    }

private:
    QList<QWidget*> announcedChildren() const {
        QList<QWidget*> children;
        for (QWidget* child : widget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!child->isWindow() && !child->property(kUnannounced).toBool())
                children.push_back(child);
        }
        return children;
    }
};

// Qt asks for the most derived class first: a view's own Qt class.
QAccessibleInterface* viewInterface(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr) return nullptr;
    if (widget->property(kContainer).isValid()) {
        const bool frame = qobject_cast<QGroupBox*>(widget) != nullptr;
        return new Container(*widget, frame ? QAccessible::Grouping : QAccessible::Client);
    }
    auto* combo = qobject_cast<QComboBox*>(widget);
    const bool view = widget->property(kUnannounced).isValid();
    if (view && combo != nullptr && className == QLatin1String("QComboBox"))
        return new NamedComboBox(*combo);
    return nullptr;
}

// Marks the widget for the interfaces above. Qt makes a widget's interface as early as its
// construction, and keeps it: the one made before the mark is dropped, so that the next is made
// with the mark.
void mark(QWidget& widget, const char* property, const QVariant& value) {
    [[maybe_unused]] static const bool installed = [] {
        QAccessible::installFactory(viewInterface);
        return true;
    }();
    const bool marked = widget.property(property).isValid();
    widget.setProperty(property, value);
    if (marked) return;
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(&widget))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

}  // namespace

void describe(QWidget& widget, const toolkit::Accessibility& accessibility) {
    mark(widget, kUnannounced, !accessibility.announced);
    widget.setAccessibleName(toQString(accessibility.name));
    widget.setAccessibleDescription(toQString(accessibility.description));
}

void describeContainer(QWidget& container) {
    mark(container, kContainer, true);
}

}  // namespace qtview
