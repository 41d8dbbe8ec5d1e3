#include "load_list_access.h"

#include "control_lookup.h"
#include "design/load_texts.h"
#include "load_list_window.h"
#include "qt_text.h"

#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QShortcut>

namespace vorlaine::ui {
namespace {

// Adds the list's entry to the box's own context menu.
class ListMenuEntry : public QObject {
public:
    explicit ListMenuEntry(QWidget* form) : QObject(form), form_(form) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* box = qobject_cast<QLineEdit*>(watched);
        if (event->type() != QEvent::ContextMenu || !box)
            return false;
        QMenu* menu = box->createStandardContextMenu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->addSeparator();
        QWidget* form = form_;
        menu->addAction(qt_text(design::loads::open_action), form,
                        [form] { LoadListWindow::open(form); });
        menu->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }

private:
    QWidget* form_;
};

} // namespace

void offer_load_list(QWidget* form) {
    auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_L), form);
    QObject::connect(shortcut, &QShortcut::activated, form, [form] { LoadListWindow::open(form); });
    auto* entry = new ListMenuEntry(form);
    for (const char* name : {"Text1", "Text3"})
        control<QLineEdit>(form, QString::fromLatin1(name))->installEventFilter(entry);
}

} // namespace vorlaine::ui
