// Speaks changes that happen away from the keyboard focus: the five results
// after 计算 or 清除, and the rainy-day interval that follows 阴雨天数.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <utility>
#include <vector>

class QLabel;
class QLineEdit;
class QWidget;

namespace vorlaine::ui {

// A screen reader hears it as a notification: each announcement shows it
// anew with a new name. It has no widget and draws nothing.
class Announcer : public QObject {
public:
    // Reads the results and the rainy-day boxes of `form` as its design names them.
    explicit Announcer(QWidget* form);

    void results_changed();
    // What was last announced; empty before the first announcement.
    const QString& text() const { return text_; }
    QWidget* form() const;

    static Announcer* of(const QWidget* form);

private:
    void interval_changed();
    void announce();

    std::vector<std::pair<QPointer<QLabel>, QString>> results_;
    QPointer<QLineEdit> rainy_days_;
    QPointer<QLineEdit> interval_;
    QString interval_caption_;
    QTimer timer_;
    bool results_pending_ = false;
    bool interval_pending_ = false;
    QString text_;
};

// Writes `text` into `label` and, when it is new, tells a screen reader that
// the label's name changed, so a changing total is read out.
void write_announced(QLabel* label, const QString& text);

} // namespace vorlaine::ui
