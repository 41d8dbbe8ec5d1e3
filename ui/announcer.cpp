#include "announcer.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>

namespace vorlaine::ui {
namespace {

constexpr int kWaitForNoticeMs = 100;

} // namespace

Announcer::Announcer(QWidget* form, std::vector<std::pair<QLabel*, QString>> results,
                     QLineEdit* rainy_days, QLineEdit* interval, QString interval_caption)
    : QObject(form), rainy_days_(rainy_days), interval_(interval),
      interval_caption_(std::move(interval_caption)) {
    setObjectName(QStringLiteral("Announcer"));
    for (auto& [label, what] : results)
        results_.emplace_back(label, std::move(what));
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
        parts << interval_caption_.trimmed() + QLatin1Char(' ') + interval_->text().trimmed();
    results_pending_ = interval_pending_ = false;
    if (parts.isEmpty())
        return;
    text_ = parts.join(QStringLiteral("，"));
    QAccessibleEvent renamed(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&renamed);
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

} // namespace vorlaine::ui
