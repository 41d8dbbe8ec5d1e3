// The yardstick for the program's start-up: the least a Qt window costs that
// shows Chinese text in the fonts the program uses. It has no other use.
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // The program's dialog font and its slogan's serif font, both loaded.
    QFont dialog;
    dialog.setFamilies({QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
                        QStringLiteral("Droid Sans Fallback"), QStringLiteral("Sans Serif")});
    dialog.setPointSize(9);
    QApplication::setFont(dialog);

    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    auto* label = new QLabel(&window);
    label->setTextFormat(Qt::RichText);
    label->setText(QStringLiteral(
        "<p>独立光伏系统的负载功率与电压</p>"
        "<p style=\"font-family:'AR PL UMing CN'; font-size:12pt; font-weight:bold\">"
        "让我们的生活充满绿色</p>"));
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(label);
    window.resize(615, 522);
    window.show();
    return QApplication::exec();
}
