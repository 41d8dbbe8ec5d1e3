#include "announcer.h"

#include "control_lookup.h"
#include "design/control_table.h"
#include "design/window_state.h"
#include "design/window_texts.h"
#include "qt_text.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>

namespace vorlaine::ui {
namespace {

constexpr int kWaitForNoticeMs = 100;

} // namespace

Announcer::Announcer(QWidget* form)
    : QObject(form), rainy_days_(control<QLineEdit>(form, qt_text(design::kRainyDaysBox))),
      interval_(control<QLineEdit>(form, qt_text(design::kRainyIntervalBox))),
      interval_caption_(qt_text(design::caption_naming(design::kRainyIntervalBox))) {
    setObjectName(QStringLiteral("Announcer"));
    for (const design::ControlSpec* row : design::result_rows())
        results_.emplace_back(control<QLabel>(form, QString::fromUtf8(row->name)),
                              QString::fromUtf8(row->result_name));
    // One announcement for all the writes of one handler: the five captions
    // of a calculation come one by one, and each would cut the last short.
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &Announcer::announce);
    if (interval_)
        connect(interval_, &QLineEdit::textChanged, this, &Announcer::interval_changed);
}

QWidget* Announcer::form() const {
    return static_cast<QWidget*>(parent());
}

Announcer* Announcer::of(const QWidget* form) {
    return form->findChild<Announcer*>(QStringLiteral("Announcer"), Qt::FindDirectChildrenOnly);
}

void Announcer::results_changed() {
    if (!QAccessible::isActive())
        return;
    results_pending_ = true;
    timer_.start(0);
}

void Announcer::interval_changed() {
    // Only the cascade of a typed 阴雨天数 is news; 清除 announces its results.
    if (!QAccessible::isActive() || !rainy_days_ || !rainy_days_->hasFocus())
        return;
    interval_pending_ = true;
    timer_.start(0);
}

void Announcer::announce() {
    // A notice that opened on the way is read first; the results follow it.
    if (QApplication::activeModalWidget()) {
        timer_.start(kWaitForNoticeMs);
        return;
    }
    QStringList parts;
    if (results_pending_)
        for (const auto& [label, what] : results_)
            if (label)
                parts << what + QLatin1Char(' ') + label->text().trimmed();
    if (interval_pending_ && interval_)
        parts << interval_caption_ + QLatin1Char(' ') + interval_->text().trimmed();
    results_pending_ = interval_pending_ = false;
    if (parts.isEmpty())
        return;
    text_ = parts.join(qt_text(design::texts::announcement_separator));
    QAccessibleEvent renamed(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&renamed);
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

void write_announced(QLabel* label, const QString& text) {
    if (label->text() == text)
        return;
    label->setText(text);
    label->setAccessibleName(text);
    QAccessibleEvent changed(label, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
}

} // namespace vorlaine::ui
