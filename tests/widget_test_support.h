// Helpers for the tests of the real window under the offscreen platform.
#pragma once

#include "ui/fonts.h"
#include "ui/form1.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <functional>
#include <vector>

namespace vorlaine::testing {

// What a modal notice showed, read from the box itself while it was open.
struct SeenNotice {
    QString title;
    QString text;
    QMessageBox::Icon icon;
    int buttons;
    QStringList button_texts;
};

// Closes every modal box that opens while it lives, as a person would, after
// noting what it showed and running `on_open` (to look at the window behind).
class NoticeCatcher {
public:
    explicit NoticeCatcher(std::function<void()> on_open = {}) : on_open_(std::move(on_open)) {
        timer_.setInterval(0);
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start();
    }
    const std::vector<SeenNotice>& seen() const { return seen_; }

private:
    void poll() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        QStringList texts;
        for (const QAbstractButton* button : box->buttons())
            texts << button->text();
        seen_.push_back({box->windowTitle(), box->text(), box->icon(),
                         static_cast<int>(box->buttons().size()), texts});
        if (on_open_)
            on_open_();
        box->buttons().first()->click();
    }

    QTimer timer_;
    std::function<void()> on_open_;
    std::vector<SeenNotice> seen_;
};

// The offscreen platform warns once for every message box it shows; that says
// nothing about the program, so only that line is dropped.
inline void quiet_offscreen_warnings() {
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (message.contains(QLatin1String("does not support propagateSizeHints")))
                return;
            if (previous)
                previous(type, context, message);
        });
}

inline QLineEdit* text_box(const QWidget& form, const char* name) {
    return form.findChild<QLineEdit*>(QString::fromLatin1(name));
}

inline QString text_of(const QWidget& form, const char* name) {
    return text_box(form, name)->text();
}

inline QString caption(const QWidget& form, const char* name) {
    return form.findChild<QLabel*>(QString::fromLatin1(name))->text();
}

template <typename T> T* control(const QWidget& form, const char* name) {
    return form.findChild<T*>(QString::fromLatin1(name));
}

} // namespace vorlaine::testing

// The main of every test of the real window: QTEST_MAIN's application, with the
// window's font and without the offscreen platform's noise.
#define VORLAINE_WINDOW_TEST_MAIN(TestObject)                                                      \
    int main(int argc, char* argv[]) {                                                             \
        QApplication app(argc, argv);                                                              \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                   \
        QApplication::setFont(vorlaine::ui::dialog_font());                                        \
        vorlaine::testing::quiet_offscreen_warnings();                                             \
        TestObject test;                                                                           \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
