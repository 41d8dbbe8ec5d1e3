#include "accessible_interfaces.h"

#include "announcer.h"
#include "rendered_images.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QGroupBox>
#include <QPointer>
#include <QRadioButton>
#include <QWindow>

namespace vorlaine::ui {

OptionGroup::OptionGroup(QWidget* frame, QString name) : QObject(frame), name_(std::move(name)) {
    setObjectName(QStringLiteral("OptionGroup"));
}

QWidget* OptionGroup::frame() const {
    return static_cast<QWidget*>(parent());
}

std::vector<QRadioButton*> OptionGroup::options() const {
    std::vector<QRadioButton*> found;
    for (QObject* child : frame()->children())
        if (auto* option = qobject_cast<QRadioButton*>(child))
            found.push_back(option);
    return found;
}

OptionGroup* OptionGroup::of(const QWidget* frame) {
    return frame->findChild<OptionGroup*>(QStringLiteral("OptionGroup"),
                                          Qt::FindDirectChildrenOnly);
}

namespace {

QAccessibleInterface* interface_of(QObject* object) {
    return object ? QAccessible::queryAccessibleInterface(object) : nullptr;
}

QRect global_rect(const QWidget* widget) {
    return {widget->mapToGlobal(QPoint(0, 0)), widget->size()};
}

// A node over a plain object that lives inside a widget (its host).
class ObjectNode : public QAccessibleInterface {
public:
    explicit ObjectNode(QObject* object) : object_(object) {}
    bool isValid() const override { return object_ && host(); }
    QObject* object() const override { return object_; }
    QWindow* window() const override { return host() ? host()->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return interface_of(host()); }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}

protected:
    QWidget* host() const { return object_ ? qobject_cast<QWidget*>(object_->parent()) : nullptr; }

private:
    QPointer<QObject> object_;
};

// Read out as a notification whenever it is shown again with new text.
class AnnouncerNode : public ObjectNode {
public:
    explicit AnnouncerNode(Announcer* announcer) : ObjectNode(announcer), announcer_(announcer) {}
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        return announcer_ && t == QAccessible::Name ? announcer_->text() : QString();
    }
    QRect rect() const override { return {}; }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.invisible = !announcer_ || announcer_->text().isEmpty();
        state.readOnly = true;
        return state;
    }

private:
    QPointer<Announcer> announcer_;
};

class OptionGroupNode : public ObjectNode {
public:
    explicit OptionGroupNode(OptionGroup* group) : ObjectNode(group), group_(group) {}
    QAccessibleInterface* child(int index) const override {
        const auto options = group_ ? group_->options() : std::vector<QRadioButton*>{};
        return index >= 0 && index < static_cast<int>(options.size())
                   ? interface_of(options[static_cast<std::size_t>(index)])
                   : nullptr;
    }
    int childCount() const override {
        return group_ ? static_cast<int>(group_->options().size()) : 0;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (int i = 0; i < childCount(); ++i)
            if (this->child(i) == child)
                return i;
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        for (int i = 0; i < childCount(); ++i)
            if (child(i)->rect().contains(x, y))
                return child(i);
        return nullptr;
    }
    QString text(QAccessible::Text t) const override {
        return group_ && t == QAccessible::Name ? group_->name() : QString();
    }
    QRect rect() const override {
        QRect united;
        if (group_)
            for (const QRadioButton* option : group_->options())
                united |= global_rect(option);
        return united;
    }
    QAccessible::Role role() const override { return QAccessible::Grouping; }
    QAccessible::State state() const override { return {}; }

private:
    QPointer<OptionGroup> group_;
};

// The window: a window role with its caption, and the announcer last among
// its children.
class WindowAccessible : public QAccessibleWidget {
public:
    explicit WindowAccessible(QWidget* form) : QAccessibleWidget(form, QAccessible::Window) {}
    int childCount() const override {
        return QAccessibleWidget::childCount() + (announcer() ? 1 : 0);
    }
    QAccessibleInterface* child(int index) const override {
        if (announcer() && index == QAccessibleWidget::childCount())
            return interface_of(announcer());
        return QAccessibleWidget::child(index);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (child && announcer() && child->object() == announcer())
            return QAccessibleWidget::childCount();
        return QAccessibleWidget::indexOfChild(child);
    }

private:
    Announcer* announcer() const { return Announcer::of(widget()); }
};

// The frame with the options gathered into their group, where the first one was.
class FrameAccessible : public QAccessibleWidget {
public:
    explicit FrameAccessible(QGroupBox* frame) : QAccessibleWidget(frame, QAccessible::Grouping) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name)
            return static_cast<QGroupBox*>(widget())->title();
        return QAccessibleWidget::text(t);
    }
    int childCount() const override { return static_cast<int>(children().size()); }
    QAccessibleInterface* child(int index) const override {
        const auto all = children();
        return index >= 0 && index < static_cast<int>(all.size())
                   ? interface_of(all[static_cast<std::size_t>(index)])
                   : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto all = children();
        for (std::size_t i = 0; i < all.size(); ++i)
            if (child && child->object() == all[i])
                return static_cast<int>(i);
        return -1;
    }

private:
    std::vector<QObject*> children() const {
        std::vector<QObject*> all;
        OptionGroup* group = OptionGroup::of(widget());
        bool group_placed = false;
        for (QObject* child : widget()->children()) {
            auto* control = qobject_cast<QWidget*>(child);
            if (!control || control->isWindow())
                continue;
            if (group && qobject_cast<QRadioButton*>(control)) {
                if (!std::exchange(group_placed, true))
                    all.push_back(group);
                continue;
            }
            all.push_back(control);
        }
        return all;
    }
};

// An option inside its group: Qt's own interface would name the frame as
// its parent.
class OptionAccessible : public QAccessibleWidget {
public:
    explicit OptionAccessible(QRadioButton* option)
        : QAccessibleWidget(option, QAccessible::RadioButton) {}
    QAccessibleInterface* parent() const override {
        OptionGroup* group = OptionGroup::of(widget()->parentWidget());
        return group ? interface_of(group) : QAccessibleWidget::parent();
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return button()->text();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        state.checked = button()->isChecked();
        return state;
    }
    QStringList actionNames() const override {
        return QStringList{toggleAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == toggleAction() || action == pressAction())
            button()->click();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    QRadioButton* button() const { return static_cast<QRadioButton*>(widget()); }
};

bool is_line(const QWidget* widget) {
    const auto* frame = qobject_cast<const QFrame*>(widget);
    return frame && frame->metaObject() == &QFrame::staticMetaObject &&
           frame->frameShape() == QFrame::HLine;
}

// Picked by type alone, so that the answer is the same whenever Qt asks.
QAccessibleInterface* make_interface(const QString&, QObject* object) {
    if (!object)
        return nullptr;
    if (auto* announcer = dynamic_cast<Announcer*>(object))
        return new AnnouncerNode(announcer);
    if (auto* group = dynamic_cast<OptionGroup*>(object))
        return new OptionGroupNode(group);
    if (!object->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (widget->inherits("vorlaine::ui::Form1"))
        return new WindowAccessible(widget);
    if (auto* frame = qobject_cast<QGroupBox*>(widget))
        return new FrameAccessible(frame);
    if (auto* option = qobject_cast<QRadioButton*>(widget))
        return new OptionAccessible(option);
    if (dynamic_cast<SolarPicture*>(widget))
        return new QAccessibleWidget(widget, QAccessible::Graphic);
    if (is_line(widget))
        return new QAccessibleWidget(widget, QAccessible::Separator);
    return nullptr;
}

} // namespace

void install_accessible_factory() {
    static const bool installed = [] {
        QAccessible::installFactory(make_interface);
        return true;
    }();
    (void)installed;
}

} // namespace vorlaine::ui
